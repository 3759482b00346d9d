#pragma once
// File open and save dialogs: a filter string ("Text (*.txt)|*.txt|All (*.*)|*.*||"), an
// initial file name and flags; the answer is a full path and the 1-based filter index.
#include <string>
#include <vector>

#include "kvui/KvUiDefs.h"

struct KvUiFileFilter {
    std::u16string description;
    std::u16string pattern;
};

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, const char16_t* lpszDefExt = nullptr, const char16_t* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char16_t* lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;

    virtual INT_PTR DoModal();  // IDOK or IDCANCEL

    std::u16string GetPathName() const { return m_strPathName; }
    std::u16string GetFileName() const;   // without the folder
    std::u16string GetFileExt() const;    // without the dot
    std::u16string GetFileTitle() const;  // without folder and extension

    bool IsOpenDialog() const { return m_bOpenFileDialog; }
    const std::u16string& GetDefExt() const { return m_strDefExt; }
    const std::u16string& GetInitialFileName() const { return m_strFileName; }
    const std::vector<KvUiFileFilter>& GetFilters() const { return m_vecFilters; }

    static std::vector<KvUiFileFilter> ParseFilter(const std::u16string& filter);

    struct {
        DWORD Flags = 0;
        DWORD nFilterIndex = 1;
    } m_ofn;

private:
    bool m_bOpenFileDialog;
    std::u16string m_strDefExt;
    std::u16string m_strFileName;
    std::vector<KvUiFileFilter> m_vecFilters;
    std::u16string m_strPathName;
};
