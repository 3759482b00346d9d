#pragma once
// The simple controls: labels and pictures, buttons (push, check box, radio button, group
// box), edit fields and drop-down lists.
#include <string>
#include <vector>

#include "kvui/CWnd.h"

class CStatic : public CWnd {
public:
    bool AcceptsKind(KvUiControlKind kind) const override;
    void CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent) override;
    HBITMAP SetBitmap(HBITMAP bitmap);  // returns the previous one
    HBITMAP GetBitmap() const { return m_hBitmap; }

private:
    HBITMAP m_hBitmap = nullptr;
};

class CButton : public CWnd {
public:
    bool AcceptsKind(KvUiControlKind kind) const override;
    void CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent) override;
    void DestroyWindow() override;

    bool IsCheckBox() const { return m_kind == KvUiControlKind::CheckBox; }
    bool IsRadioButton() const { return m_kind == KvUiControlKind::RadioButton; }
    bool IsPushButton() const { return m_kind == KvUiControlKind::PushButton; }
    bool IsDefault() const { return (m_dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

    // Setting the state programmatically raises no click, as on Windows.
    int GetCheck() const { return m_nCheck; }
    void SetCheck(int nCheck) { m_nCheck = nCheck == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED; }
    HICON SetIcon(HICON icon);  // returns the previous one
    HICON GetIcon() const { return m_hIcon; }

    // What a mouse click does: toggle a check box, select a radio button (clearing the
    // others of its group), then tell the parent.
    void Click();

private:
    int m_nCheck = BST_UNCHECKED;
    HICON m_hIcon = nullptr;
};

class CEdit : public CWnd {
public:
    bool AcceptsKind(KvUiControlKind kind) const override;
};

class CComboBox : public CWnd {
public:
    bool AcceptsKind(KvUiControlKind kind) const override;
    void DestroyWindow() override;

    bool IsSorted() const { return (m_dwStyle & CBS_SORT) != 0; }
    // Sorted lists place the entry in order (ignoring case); returns its index.
    int AddString(const std::u16string& text);
    int InsertString(int nIndex, const std::u16string& text);
    int DeleteString(int nIndex);
    void ResetContent();
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    int GetCurSel() const { return m_nCurSel; }
    int SetCurSel(int nSelect);  // -1 clears; returns the selection or CB_ERR
    int GetLBText(int nIndex, std::u16string& text) const;
    std::u16string GetLBText(int nIndex) const;
    int FindStringExact(int nStartAfter, const std::u16string& text) const;

    // What the user does: choose an entry, then the parent hears of it.
    void Choose(int nIndex);

private:
    std::vector<std::u16string> m_entries;
    int m_nCurSel = CB_ERR;
};

// Compares texts ignoring the case of Latin letters, as sorted lists do.
int kvuiCompareNoCase(const std::u16string& a, const std::u16string& b);
