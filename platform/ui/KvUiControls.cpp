#include "kvui/KvUiControls.h"

#include <algorithm>

#include "kvui/CKpUiBaseDialog.h"

namespace {
char16_t foldCase(char16_t c)
{
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c - u'A' + u'a');
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // Latin-1 capitals
        return static_cast<char16_t>(c + 0x20);
    return c;
}
}  // namespace

int kvuiCompareNoCase(const std::u16string& a, const std::u16string& b)
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        char16_t ca = foldCase(a[i]), cb = foldCase(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool CStatic::AcceptsKind(KvUiControlKind kind) const
{
    return kind == KvUiControlKind::Label || kind == KvUiControlKind::Picture;
}

void CStatic::CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent)
{
    CWnd::CreateFromTemplate(tmpl, pParent);
    m_hBitmap = tmpl.kind == KvUiControlKind::Picture && tmpl.imageId ? kvuiLoadBitmap(tmpl.imageId) : nullptr;
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap)
{
    HBITMAP previous = m_hBitmap;
    m_hBitmap = bitmap;
    return previous;
}

bool CButton::AcceptsKind(KvUiControlKind kind) const
{
    return kind == KvUiControlKind::PushButton || kind == KvUiControlKind::CheckBox ||
           kind == KvUiControlKind::RadioButton || kind == KvUiControlKind::GroupBox;
}

void CButton::CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent)
{
    CWnd::CreateFromTemplate(tmpl, pParent);
    m_nCheck = BST_UNCHECKED;
    m_hIcon = (tmpl.style & BS_ICON) && tmpl.imageId ? kvuiLoadIcon(tmpl.imageId) : nullptr;
}

void CButton::DestroyWindow()
{
    CWnd::DestroyWindow();
    m_nCheck = BST_UNCHECKED;
    m_hIcon = nullptr;
}

HICON CButton::SetIcon(HICON icon)
{
    HICON previous = m_hIcon;
    m_hIcon = icon;
    return previous;
}

void CButton::Click()
{
    if (IsCheckBox()) {
        m_nCheck = m_nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    } else if (IsRadioButton()) {
        if (auto* dialog = dynamic_cast<CKpUiBaseDialog*>(m_pParent))
            for (CButton* other : dialog->GetRadioGroup(m_nID))
                other->SetCheck(other == this ? BST_CHECKED : BST_UNCHECKED);
        m_nCheck = BST_CHECKED;
    } else if (m_kind == KvUiControlKind::GroupBox) {
        return;
    }
    SendCommandToParent(BN_CLICKED);
}

bool CEdit::AcceptsKind(KvUiControlKind kind) const
{
    return kind == KvUiControlKind::Edit;
}

bool CComboBox::AcceptsKind(KvUiControlKind kind) const
{
    return kind == KvUiControlKind::ComboBox;
}

void CComboBox::DestroyWindow()
{
    CWnd::DestroyWindow();
    ResetContent();
}

int CComboBox::AddString(const std::u16string& text)
{
    if (!IsSorted()) {
        m_entries.push_back(text);
        return GetCount() - 1;
    }
    auto at =
        std::upper_bound(m_entries.begin(), m_entries.end(), text,
                         [](const std::u16string& a, const std::u16string& b) { return kvuiCompareNoCase(a, b) < 0; });
    int index = static_cast<int>(at - m_entries.begin());
    m_entries.insert(at, text);
    if (m_nCurSel >= index) ++m_nCurSel;
    return index;
}

int CComboBox::InsertString(int nIndex, const std::u16string& text)
{
    if (nIndex < 0 || nIndex > GetCount()) nIndex = GetCount();
    m_entries.insert(m_entries.begin() + nIndex, text);
    if (m_nCurSel >= nIndex) ++m_nCurSel;
    return nIndex;
}

int CComboBox::DeleteString(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount()) return CB_ERR;
    m_entries.erase(m_entries.begin() + nIndex);
    if (m_nCurSel == nIndex)
        m_nCurSel = CB_ERR;
    else if (m_nCurSel > nIndex)
        --m_nCurSel;
    return GetCount();
}

void CComboBox::ResetContent()
{
    m_entries.clear();
    m_nCurSel = CB_ERR;
}

int CComboBox::SetCurSel(int nSelect)
{
    if (nSelect < 0 || nSelect >= GetCount()) {
        m_nCurSel = CB_ERR;
        return CB_ERR;
    }
    m_nCurSel = nSelect;
    return nSelect;
}

int CComboBox::GetLBText(int nIndex, std::u16string& text) const
{
    if (nIndex < 0 || nIndex >= GetCount()) return CB_ERR;
    text = m_entries[static_cast<std::size_t>(nIndex)];
    return static_cast<int>(text.size());
}

std::u16string CComboBox::GetLBText(int nIndex) const
{
    std::u16string text;
    GetLBText(nIndex, text);
    return text;
}

int CComboBox::FindStringExact(int nStartAfter, const std::u16string& text) const
{
    for (int i = std::max(0, nStartAfter + 1); i < GetCount(); ++i)
        if (kvuiCompareNoCase(m_entries[static_cast<std::size_t>(i)], text) == 0) return i;
    return CB_ERR;
}

void CComboBox::Choose(int nIndex)
{
    if (SetCurSel(nIndex) != CB_ERR) SendCommandToParent(CBN_SELCHANGE);
}
