#include "kvui/CFileDialog.h"

#include "kvui/KvUiDriver.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char16_t* lpszDefExt, const char16_t* lpszFileName, DWORD dwFlags,
                         const char16_t* lpszFilter, CWnd*)
    : m_bOpenFileDialog(bOpenFileDialog != FALSE),
      m_strDefExt(lpszDefExt ? lpszDefExt : u""),
      m_strFileName(lpszFileName ? lpszFileName : u""),
      m_vecFilters(ParseFilter(lpszFilter ? lpszFilter : u""))
{
    m_ofn.Flags = dwFlags;
}

std::vector<KvUiFileFilter> CFileDialog::ParseFilter(const std::u16string& filter)
{
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        std::size_t bar = filter.find(u'|', start);
        if (bar == std::u16string::npos) {
            parts.push_back(filter.substr(start));
            break;
        }
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    // Pairs of description and pattern; an empty description ends the list ("||").
    std::vector<KvUiFileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) break;
        filters.push_back({parts[i], parts[i + 1]});
    }
    return filters;
}

INT_PTR CFileDialog::DoModal()
{
    KvUiDriver* driver = kvuiDriver();
    if (!driver) return IDCANCEL;
    KvUiFileRequest request;
    request.bOpen = m_bOpenFileDialog;
    request.defExt = m_strDefExt;
    request.initialName = m_strFileName;
    request.flags = m_ofn.Flags;
    request.filters = m_vecFilters;
    request.initialFilter = m_ofn.nFilterIndex == 0 ? 1 : static_cast<int>(m_ofn.nFilterIndex);
    KvUiFileAnswer answer;
    if (!driver->FileDialog(request, answer)) return IDCANCEL;
    m_strPathName = answer.path;
    m_ofn.nFilterIndex = static_cast<DWORD>(answer.filterIndex);
    return IDOK;
}

std::u16string CFileDialog::GetFileName() const
{
    std::size_t slash = m_strPathName.find_last_of(u"/\\");
    return slash == std::u16string::npos ? m_strPathName : m_strPathName.substr(slash + 1);
}

std::u16string CFileDialog::GetFileExt() const
{
    std::u16string name = GetFileName();
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string CFileDialog::GetFileTitle() const
{
    std::u16string name = GetFileName();
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}
