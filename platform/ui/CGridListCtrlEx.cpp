#include "kvui/CGridListCtrlEx.h"

#include <algorithm>

#include "kvui/CMenu.h"

namespace {
std::string number(int n)
{
    return std::to_string(n);
}
constexpr UINT kColumnMenuFirstId = 4;
}  // namespace

bool CGridColumnTrait::OnClickCell(CGridListCtrlEx&, int, int)
{
    return false;
}

CGridColumnTraitImage::CGridColumnTraitImage(int nImageIndex, int nImageCount)
{
    for (int i = 0; i < nImageCount; ++i) AddImageIndex(nImageIndex + i);
}

void CGridColumnTraitImage::AddImageIndex(int nImageIndex)
{
    m_vecImages.push_back(nImageIndex);
}

bool CGridColumnTraitImage::OnClickCell(CGridListCtrlEx& owner, int nRow, int nCol)
{
    int image = owner.GetCellImage(nRow, nCol);
    auto at = std::find(m_vecImages.begin(), m_vecImages.end(), image);
    if (at == m_vecImages.end() || m_vecImages.size() < 2) return false;
    ++at;
    owner.SetCellImage(nRow, nCol, at == m_vecImages.end() ? m_vecImages.front() : *at);
    return true;
}

int CGridListCtrlEx::InsertHiddenLabelColumn()
{
    int nCol = InsertColumnTrait(0, u"", LVCFMT_LEFT, 0, 0, new CGridColumnTraitText);
    auto& state = GetColumnTrait(nCol)->GetColumnState();
    state.m_Visible = false;
    state.m_AlwaysHidden = true;
    state.m_OrgWidth = 0;
    return nCol;
}

int CGridListCtrlEx::InsertColumnTrait(int nCol, const std::u16string& heading, int nFormat, int nWidth, int nSubItem,
                                       CGridColumnTrait* pTrait)
{
    std::unique_ptr<CGridColumnTrait> trait(pTrait ? pTrait : new CGridColumnTraitText);
    int inserted = InsertColumn(nCol, heading, nFormat, nWidth, nSubItem);
    if (inserted < 0) return -1;
    trait->GetColumnState().m_OrgWidth = GetColumnWidth(inserted);
    m_traits[static_cast<std::size_t>(inserted)] = std::move(trait);
    return inserted;
}

CGridColumnTrait* CGridListCtrlEx::GetColumnTrait(int nCol) const
{
    return ValidColumn(nCol) ? m_traits[static_cast<std::size_t>(nCol)].get() : nullptr;
}

void CGridListCtrlEx::OnColumnInserted(int nCol)
{
    auto trait = std::make_unique<CGridColumnTraitText>();
    trait->GetColumnState().m_OrgWidth = GetColumnWidth(nCol);
    m_traits.insert(m_traits.begin() + nCol, std::move(trait));
    if (m_nSortCol >= nCol) ++m_nSortCol;
}

void CGridListCtrlEx::OnColumnDeleted(int nCol)
{
    m_traits.erase(m_traits.begin() + nCol);
    if (m_nSortCol == nCol)
        m_nSortCol = -1;
    else if (m_nSortCol > nCol)
        --m_nSortCol;
}

void CGridListCtrlEx::OnDestroyed()
{
    m_traits.clear();
    m_nSortCol = -1;
    m_bSortAscending = true;
}

int CGridListCtrlEx::AppendCheckBoxImages(CImageList& imageList)
{
    if (!imageList.IsCreated()) imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    int size = std::min(imageList.ImageWidth(), imageList.ImageHeight());
    KvUiImage unchecked = kvuiMakeCheckBoxImage(false, size);
    KvUiImage checked = kvuiMakeCheckBoxImage(true, size);
    int first = imageList.Add(&unchecked);
    imageList.Add(&checked);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_SUBITEMIMAGES);
    return first;
}

bool CGridListCtrlEx::IsColumnVisible(int nCol) const
{
    const CGridColumnTrait* trait = GetColumnTrait(nCol);
    return trait && trait->GetColumnState().m_Visible;
}

bool CGridListCtrlEx::IsColumnAlwaysHidden(int nCol) const
{
    const CGridColumnTrait* trait = GetColumnTrait(nCol);
    return trait && trait->GetColumnState().m_AlwaysHidden;
}

bool CGridListCtrlEx::IsColumnAlwaysVisible(int nCol) const
{
    const CGridColumnTrait* trait = GetColumnTrait(nCol);
    return trait && trait->GetColumnState().m_AlwaysVisible;
}

BOOL CGridListCtrlEx::ShowColumn(int nCol, bool bShow)
{
    CGridColumnTrait* trait = GetColumnTrait(nCol);
    if (!trait) return FALSE;
    auto& state = trait->GetColumnState();
    if ((bShow && state.m_AlwaysHidden) || (!bShow && state.m_AlwaysVisible)) return FALSE;
    if (state.m_Visible == bShow) return TRUE;
    if (bShow) {
        SetColumnWidth(nCol, state.m_OrgWidth > 0 ? state.m_OrgWidth : 100);
    } else {
        state.m_OrgWidth = GetColumnWidth(nCol);
        SetColumnWidth(nCol, 0);
    }
    state.m_Visible = bShow;
    return TRUE;
}

void CGridListCtrlEx::SetSortArrow(int nCol, bool bAscending)
{
    m_nSortCol = ValidColumn(nCol) ? nCol : -1;
    m_bSortAscending = bAscending;
}

bool CGridListCtrlEx::SortColumn(int nCol, bool bAscending)
{
    if (!ValidColumn(nCol)) return false;
    SortItemsByText(nCol, bAscending);
    SetSortArrow(nCol, bAscending);
    return true;
}

std::u16string CGridListCtrlEx::GetCellDisplayText(int nItem, int nCol) const
{
    // Two-image columns are check marks.
    const auto* trait = dynamic_cast<const CGridColumnTraitImage*>(GetColumnTrait(nCol));
    int image = GetCellImage(nItem, nCol);
    if (trait && trait->GetImageIndexes().size() == 2 && image >= 0) {
        const auto& images = trait->GetImageIndexes();
        std::u16string mark = image == images[1] ? u"[x]" : image == images[0] ? u"[ ]" : u"[?]";
        std::u16string text = GetItemText(nItem, nCol);
        return text.empty() ? mark : mark + u" " + text;
    }
    return CListCtrl::GetCellDisplayText(nItem, nCol);
}

void CGridListCtrlEx::OnContextMenuHeader(CWnd*, CPoint point, int)
{
    CMenu menu;
    menu.CreatePopupMenu();
    for (int nCol = 0; nCol < GetColumnCount(); ++nCol) {
        if (IsColumnAlwaysHidden(nCol)) continue;
        UINT flags = MF_STRING;
        if (IsColumnVisible(nCol)) flags |= MF_CHECKED;
        if (IsColumnAlwaysVisible(nCol)) flags |= MF_GRAYED;
        menu.AppendMenu(flags, kColumnMenuFirstId + static_cast<UINT>(nCol), GetColumnTitle(nCol), nCol);
    }
    UINT_PTR chosen = static_cast<UINT_PTR>(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, point.x, point.y, this));
    if (chosen >= kColumnMenuFirstId) {
        int nCol = static_cast<int>(chosen - kColumnMenuFirstId);
        if (ValidColumn(nCol)) ShowColumn(nCol, !IsColumnVisible(nCol));
    }
}

void CGridListCtrlEx::OnContextMenuCell(CWnd*, CPoint, int, int) {}

std::string CGridListCtrlEx::UserClickCell(int nItem, int nCol)
{
    std::string why = CheckCell(nItem, nCol);
    if (!why.empty()) return why;
    // The click selects the row first; the cell reacts afterwards.
    UserSelectItem(nItem);
    if (CGridColumnTrait* trait = GetColumnTrait(nCol)) trait->OnClickCell(*this, nItem, nCol);
    return {};
}

std::string CGridListCtrlEx::UserSetCellMark(int nItem, int nCol, bool bChecked)
{
    std::string why = CheckCell(nItem, nCol);
    if (!why.empty()) return why;
    const auto* trait = dynamic_cast<const CGridColumnTraitImage*>(GetColumnTrait(nCol));
    int image = GetCellImage(nItem, nCol);
    if (!trait || trait->GetImageIndexes().size() != 2 || image < 0)
        return "column " + number(nCol) + " of list " + number(m_nID) + " has no check marks";
    int wanted = trait->GetImageIndexes()[bChecked ? 1 : 0];
    if (image != wanted) return UserClickCell(nItem, nCol);
    return {};
}

std::string CGridListCtrlEx::UserSetCheck(int nItem, bool bChecked)
{
    if (HasCheckBoxes()) return CListCtrl::UserSetCheck(nItem, bChecked);
    // Without native boxes the check is the image of the name column.
    std::string why = UserSetCellMark(nItem, 1, bChecked);
    if (!why.empty()) return "list " + number(m_nID) + " has no check boxes";
    return why;
}

std::string CGridListCtrlEx::UserRightClickCell(int nItem, int nCol)
{
    std::string why = CListCtrl::UserRightClickCell(nItem, nCol);
    if (why.empty()) OnContextMenuCell(this, CPoint{}, nItem, nCol);
    return why;
}

std::string CGridListCtrlEx::UserRightClickHeader(int nCol)
{
    std::string why = CListCtrl::UserRightClickHeader(nCol);
    if (why.empty() && !IsColumnVisible(nCol))
        why = "column " + number(nCol) + " of list " + number(m_nID) + " is hidden";
    if (why.empty()) OnContextMenuHeader(this, CPoint{}, nCol);
    return why;
}

std::string CGridListCtrlEx::UserClickHeader(int nCol)
{
    std::string why = CListCtrl::UserRightClickHeader(nCol);
    if (why.empty() && !IsColumnVisible(nCol))
        why = "column " + number(nCol) + " of list " + number(m_nID) + " is hidden";
    if (!why.empty()) return why;
    bool bAscending = m_nSortCol == nCol ? !m_bSortAscending : true;
    SortColumn(nCol, bAscending);
    return {};
}

std::string CGridListCtrlEx::UserDragHeader(int nCol, int nToPosition)
{
    return CListCtrl::UserDragHeader(nCol, nToPosition);
}
