#pragma once
// A window: the dialog itself or one of its controls. Controls live only while their
// dialog runs: they are created from the dialog's template when DoModal starts and
// destroyed when it returns.
#include <string>

#include "kvui/KvUiDefs.h"
#include "kvui/KvUiResources.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    bool IsCreated() const { return m_bCreated; }
    int GetDlgCtrlID() const { return m_nID; }
    CWnd* GetParent() const { return m_pParent; }
    DWORD GetStyle() const { return m_dwStyle; }
    const CRect& GetPlace() const { return m_rcPlace; }  // dialog units, from the template

    void SetWindowText(const std::u16string& text) { m_strText = text; }
    std::u16string GetWindowText() const { return m_strText; }
    BOOL EnableWindow(BOOL bEnable = TRUE);  // returns whether it was disabled
    BOOL IsWindowEnabled() const { return m_bEnabled; }
    BOOL ShowWindow(int nCmdShow);  // returns whether it was visible
    BOOL IsWindowVisible() const { return m_bVisible; }

    // Message box owned by this window (asked of the user-interface driver).
    int MessageBox(const std::u16string& text, const std::u16string& caption = u"", UINT type = MB_OK);

    // Kind of control this object can stand for; a dialog template's control is bound
    // only to an object that accepts its kind.
    virtual bool AcceptsKind(KvUiControlKind kind) const;
    KvUiControlKind GetKind() const { return m_kind; }

    // Makes this object the control of the template inside the parent dialog.
    virtual void CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent);
    // Forgets the window (the object stays and can be created again).
    virtual void DestroyWindow();

    // A child's command (button click, drop-down choice) and notification reach the parent.
    virtual void OnChildCommand(int nID, UINT nCode);
    virtual LRESULT OnChildNotify(NMHDR& hdr);

protected:
    void SendCommandToParent(UINT nCode);
    LRESULT SendNotifyToParent(NMHDR& hdr);
    void MarkCreated(int nID, CWnd* pParent, DWORD style, const std::u16string& text, KvUiControlKind kind);

    int m_nID = 0;
    CWnd* m_pParent = nullptr;
    DWORD m_dwStyle = 0;
    std::u16string m_strText;
    bool m_bCreated = false;
    bool m_bEnabled = true;
    bool m_bVisible = true;
    CRect m_rcPlace;
    KvUiControlKind m_kind = KvUiControlKind::Label;
};

// The host's main window: the parent of every top-level dialog.
CWnd* kpsw_kvmoMainWnd();
