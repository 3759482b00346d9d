#include "kvui/CWnd.h"

#include "kvui/KvUiDriver.h"
#include "kvui/KvUiMessageBox.h"

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    BOOL wasDisabled = !m_bEnabled;
    m_bEnabled = bEnable != FALSE;
    return wasDisabled;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    BOOL wasVisible = m_bVisible;
    m_bVisible = nCmdShow != SW_HIDE;
    return wasVisible;
}

int CWnd::MessageBox(const std::u16string& text, const std::u16string& caption, UINT type)
{
    KvUiDriver* driver = kvuiDriver();
    if (!driver) return kvuiDefaultMessageBoxAnswer(type);
    return driver->MessageBox({text, caption, type});
}

bool CWnd::AcceptsKind(KvUiControlKind) const
{
    return false;
}

void CWnd::MarkCreated(int nID, CWnd* pParent, DWORD style, const std::u16string& text, KvUiControlKind kind)
{
    m_nID = nID;
    m_pParent = pParent;
    m_dwStyle = style;
    m_strText = text;
    m_kind = kind;
    m_bCreated = true;
    m_bEnabled = (style & WS_DISABLED) == 0;
    m_bVisible = (style & WS_VISIBLE) != 0;
}

void CWnd::CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent)
{
    MarkCreated(tmpl.id, pParent, tmpl.style, tmpl.text, tmpl.kind);
    m_rcPlace = {tmpl.x, tmpl.y, tmpl.x + tmpl.cx, tmpl.y + tmpl.cy};
}

void CWnd::DestroyWindow()
{
    m_bCreated = false;
    m_pParent = nullptr;
    m_strText.clear();
}

void CWnd::OnChildCommand(int, UINT) {}

LRESULT CWnd::OnChildNotify(NMHDR&)
{
    return 0;
}

void CWnd::SendCommandToParent(UINT nCode)
{
    if (m_pParent) m_pParent->OnChildCommand(m_nID, nCode);
}

LRESULT CWnd::SendNotifyToParent(NMHDR& hdr)
{
    hdr.hwndFrom = this;
    hdr.idFrom = static_cast<UINT_PTR>(m_nID);
    return m_pParent ? m_pParent->OnChildNotify(hdr) : 0;
}

CWnd* kpsw_kvmoMainWnd()
{
    static CWnd mainWnd;
    return &mainWnd;
}
