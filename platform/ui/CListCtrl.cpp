#include "kvui/CListCtrl.h"

#include <algorithm>

#include "kvui/KvUiControls.h"

namespace {
std::string number(int n)
{
    return std::to_string(n);
}
}  // namespace

bool CListCtrl::AcceptsKind(KvUiControlKind kind) const
{
    return kind == KvUiControlKind::ListView;
}

void CListCtrl::CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent)
{
    CWnd::CreateFromTemplate(tmpl, pParent);
    m_columns.clear();
    m_order.clear();
    m_items.clear();
    m_dwExStyle = tmpl.exStyle;
    for (auto& list : m_pImageLists) list = nullptr;
}

void CListCtrl::DestroyWindow()
{
    CWnd::DestroyWindow();
    m_columns.clear();
    m_order.clear();
    m_items.clear();
    m_dwExStyle = 0;
    m_nTotalMarkColumn = -1;
    for (auto& list : m_pImageLists) list = nullptr;
    OnDestroyed();
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    DWORD previous = m_dwExStyle;
    m_dwExStyle = dwExStyle;
    // Turning check boxes on gives every item an unchecked box.
    if ((dwExStyle & LVS_EX_CHECKBOXES) && !(previous & LVS_EX_CHECKBOXES))
        for (auto& item : m_items)
            if ((item.state & LVIS_STATEIMAGEMASK) == 0) item.state |= INDEXTOSTATEIMAGEMASK(1);
    if (!(dwExStyle & LVS_EX_CHECKBOXES) && (previous & LVS_EX_CHECKBOXES))
        for (auto& item : m_items) item.state &= ~LVIS_STATEIMAGEMASK;
    return previous;
}

int CListCtrl::InsertColumn(int nCol, const std::u16string& heading, int nFormat, int nWidth, int)
{
    if (nCol < 0) return -1;
    nCol = std::min(nCol, GetColumnCount());
    const bool bFirstColumn = m_columns.empty();
    m_columns.insert(m_columns.begin() + nCol, Column{heading, nWidth < 0 ? 100 : nWidth, nFormat});
    for (auto& index : m_order)
        if (index >= nCol) ++index;
    m_order.insert(m_order.begin() + std::min<std::size_t>(static_cast<std::size_t>(nCol), m_order.size()), nCol);
    // Column 0 holds the item labels; a column inserted before existing ones shifts the
    // cells, but the first column is the one the labels already sit in.
    for (auto& item : m_items)
        if (!bFirstColumn && static_cast<int>(item.cells.size()) >= nCol)
            item.cells.insert(item.cells.begin() + nCol, Cell{});
    OnColumnInserted(nCol);
    return nCol;
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    if (!ValidColumn(nCol)) return FALSE;
    m_columns.erase(m_columns.begin() + nCol);
    m_order.erase(std::find(m_order.begin(), m_order.end(), nCol));
    for (auto& index : m_order)
        if (index > nCol) --index;
    for (auto& item : m_items)
        if (static_cast<int>(item.cells.size()) > nCol && item.cells.size() > 1)
            item.cells.erase(item.cells.begin() + nCol);
    OnColumnDeleted(nCol);
    return TRUE;
}

std::u16string CListCtrl::GetColumnTitle(int nCol) const
{
    return ValidColumn(nCol) ? m_columns[static_cast<std::size_t>(nCol)].title : std::u16string();
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return ValidColumn(nCol) ? m_columns[static_cast<std::size_t>(nCol)].width : 0;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    if (!ValidColumn(nCol) || cx < 0) return FALSE;
    m_columns[static_cast<std::size_t>(nCol)].width = cx;
    return TRUE;
}

int CListCtrl::GetColumnFormat(int nCol) const
{
    return ValidColumn(nCol) ? m_columns[static_cast<std::size_t>(nCol)].format : LVCFMT_LEFT;
}

BOOL CListCtrl::SetColumnFormat(int nCol, int nFormat)
{
    if (!ValidColumn(nCol)) return FALSE;
    m_columns[static_cast<std::size_t>(nCol)].format = nFormat;
    return TRUE;
}

BOOL CListCtrl::GetColumnOrderArray(int* piArray, int iCount) const
{
    if (iCount < 0) iCount = GetColumnCount();
    if (!piArray || iCount != GetColumnCount()) return FALSE;
    std::copy(m_order.begin(), m_order.end(), piArray);
    return TRUE;
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, const int* piArray)
{
    if (!piArray || iCount != GetColumnCount()) return FALSE;
    std::vector<int> order(piArray, piArray + iCount);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < iCount; ++i)
        if (sorted[static_cast<std::size_t>(i)] != i) return FALSE;
    m_order = order;
    return TRUE;
}

bool CListCtrl::IsColumnShown(int nCol) const
{
    return ValidColumn(nCol);
}

int CListCtrl::InsertItem(int nItem, const std::u16string& label, int nImage)
{
    if (nItem < 0) return -1;
    nItem = std::min(nItem, GetItemCount());
    Item item;
    item.cells.resize(std::max<std::size_t>(1, m_columns.size()));
    item.cells[0] = Cell{label, nImage};
    m_items.insert(m_items.begin() + nItem, item);
    NotifySimple(LVN_INSERTITEM, nItem, 0);
    // A list with check boxes gives the new item an unchecked box, and says so.
    if (HasCheckBoxes()) SetItemState(nItem, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    return nItem;
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    if (!ValidItem(nItem)) return FALSE;
    NotifySimple(LVN_DELETEITEM, nItem, 0);
    m_items.erase(m_items.begin() + nItem);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    while (!m_items.empty()) DeleteItem(GetItemCount() - 1);
    return TRUE;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const std::u16string& text)
{
    if (!ValidItem(nItem) || nSubItem < 0 || (nSubItem > 0 && !ValidColumn(nSubItem))) return FALSE;
    auto& cells = m_items[static_cast<std::size_t>(nItem)].cells;
    if (static_cast<int>(cells.size()) <= nSubItem) cells.resize(static_cast<std::size_t>(nSubItem) + 1);
    cells[static_cast<std::size_t>(nSubItem)].text = text;
    return TRUE;
}

std::u16string CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    if (!ValidItem(nItem) || nSubItem < 0) return {};
    const auto& cells = m_items[static_cast<std::size_t>(nItem)].cells;
    return nSubItem < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(nSubItem)].text
                                                     : std::u16string();
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR data)
{
    if (!ValidItem(nItem)) return FALSE;
    m_items[static_cast<std::size_t>(nItem)].data = data;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    return ValidItem(nItem) ? m_items[static_cast<std::size_t>(nItem)].data : 0;
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return ValidItem(nItem) ? m_items[static_cast<std::size_t>(nItem)].state & nMask : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    if (!ValidItem(nItem)) return FALSE;
    UINT oldState = m_items[static_cast<std::size_t>(nItem)].state;
    UINT newState = (oldState & ~nMask) | (nState & nMask);
    if (newState != oldState) {
        m_items[static_cast<std::size_t>(nItem)].state = newState;
        NotifyItemChanged(nItem, oldState, newState, LVIF_STATE);
    }
    return TRUE;
}

BOOL CListCtrl::GetCheck(int nItem) const
{
    return GetItemState(nItem, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

BOOL CListCtrl::SetCheck(int nItem, BOOL bCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(bCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int CListCtrl::GetItemImage(int nItem, int nSubItem) const
{
    if (!ValidItem(nItem) || nSubItem < 0) return -1;
    const auto& cells = m_items[static_cast<std::size_t>(nItem)].cells;
    return nSubItem < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(nSubItem)].image : -1;
}

BOOL CListCtrl::SetItemImage(int nItem, int nSubItem, int nImage)
{
    if (!ValidItem(nItem) || nSubItem < 0 || (nSubItem > 0 && !ValidColumn(nSubItem))) return FALSE;
    auto& cells = m_items[static_cast<std::size_t>(nItem)].cells;
    if (static_cast<int>(cells.size()) <= nSubItem) cells.resize(static_cast<std::size_t>(nSubItem) + 1);
    cells[static_cast<std::size_t>(nSubItem)].image = nImage;
    return TRUE;
}

int CListCtrl::GetNextSelectedItem(int nAfter) const
{
    for (int i = std::max(0, nAfter + 1); i < GetItemCount(); ++i)
        if (m_items[static_cast<std::size_t>(i)].state & LVIS_SELECTED) return i;
    return -1;
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageList)
{
    if (nImageList < 0 || nImageList > 2) return nullptr;
    CImageList* previous = m_pImageLists[nImageList];
    m_pImageLists[nImageList] = pImageList;
    return previous;
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return nImageList >= 0 && nImageList <= 2 ? m_pImageLists[nImageList] : nullptr;
}

void CListCtrl::SortItemsByText(int nCol, bool bAscending)
{
    auto text = [nCol](const Item& item) {
        return nCol < static_cast<int>(item.cells.size()) ? item.cells[static_cast<std::size_t>(nCol)].text
                                                          : std::u16string();
    };
    std::stable_sort(m_items.begin(), m_items.end(), [&](const Item& a, const Item& b) {
        int c = kvuiCompareNoCase(text(a), text(b));
        return bAscending ? c < 0 : c > 0;
    });
}

std::u16string CListCtrl::GetShownName(int nItem) const
{
    return GetItemText(nItem, IsReportView() && GetColumnCount() >= 2 ? 1 : 0);
}

int CListCtrl::FindItemByShownName(const std::u16string& name) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetShownName(i) == name) return i;
    return -1;
}

std::u16string CListCtrl::GetCellDisplayText(int nItem, int nCol) const
{
    std::u16string text = GetItemText(nItem, nCol);
    int image = GetItemImage(nItem, nCol);
    if (image >= 0 && (nCol == 0 || (m_dwExStyle & LVS_EX_SUBITEMIMAGES)))
        text = u"<" + std::u16string(1, static_cast<char16_t>(u'0' + image % 10)) + u"> " + text;
    return text;
}

std::string CListCtrl::CheckCell(int nItem, int nCol) const
{
    if (!ValidItem(nItem))
        return "list " + number(m_nID) + " has no row " + number(nItem) + " (it has " + number(GetItemCount()) + ")";
    if (!ValidColumn(nCol) && !(nCol == 0 && IsListView()))
        return "list " + number(m_nID) + " has no column " + number(nCol);
    if (ValidColumn(nCol) && !IsColumnShown(nCol))
        return "column " + number(nCol) + " of list " + number(m_nID) + " is hidden";
    return {};
}

std::string CListCtrl::UserSelectItem(int nItem)
{
    if (!ValidItem(nItem)) return "list " + number(m_nID) + " has no row " + number(nItem);
    for (int i = 0; i < GetItemCount(); ++i)
        if (i != nItem) SetItemState(i, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return {};
}

std::string CListCtrl::UserSetCheck(int nItem, bool bChecked)
{
    if (!ValidItem(nItem)) return "list " + number(m_nID) + " has no row " + number(nItem);
    if (!HasCheckBoxes()) return "list " + number(m_nID) + " has no check boxes";
    if ((GetCheck(nItem) != FALSE) != bChecked) SetCheck(nItem, bChecked);
    return {};
}

std::string CListCtrl::UserSetCellMark(int, int nCol, bool)
{
    return "list " + number(m_nID) + " has no marks in column " + number(nCol);
}

std::string CListCtrl::UserRightClickCell(int nItem, int nCol)
{
    std::string why = CheckCell(nItem, nCol);
    if (why.empty()) why = UserSelectItem(nItem);
    return why;
}

std::string CListCtrl::UserRightClickHeader(int nCol)
{
    if (!IsReportView() || !ValidColumn(nCol)) return "list " + number(m_nID) + " has no column " + number(nCol);
    return {};
}

std::string CListCtrl::UserClickHeader(int nCol)
{
    if (!IsReportView() || !ValidColumn(nCol)) return "list " + number(m_nID) + " has no column " + number(nCol);
    NotifySimple(LVN_COLUMNCLICK, -1, nCol);
    return {};
}

std::string CListCtrl::UserDragHeader(int nCol, int nToPosition)
{
    if (!IsReportView() || !ValidColumn(nCol)) return "list " + number(m_nID) + " has no column " + number(nCol);
    if (!(m_dwExStyle & LVS_EX_HEADERDRAGDROP)) return "the columns of list " + number(m_nID) + " cannot be dragged";
    if (!IsColumnShown(nCol)) return "column " + number(nCol) + " of list " + number(m_nID) + " is hidden";
    if (nToPosition < 0 || nToPosition >= GetColumnCount())
        return "list " + number(m_nID) + " has no column position " + number(nToPosition) + " (0 to " +
               number(GetColumnCount() - 1) + ")";
    m_order.erase(std::find(m_order.begin(), m_order.end(), nCol));
    m_order.insert(m_order.begin() + nToPosition, nCol);
    return {};
}

void CListCtrl::NotifyItemChanged(int nItem, UINT nOldState, UINT nNewState, UINT nChanged)
{
    NMLISTVIEW nm;
    nm.hdr.code = LVN_ITEMCHANGED;
    nm.iItem = nItem;
    nm.uOldState = nOldState;
    nm.uNewState = nNewState;
    nm.uChanged = nChanged;
    nm.lParam = static_cast<LPARAM>(GetItemData(nItem));
    SendNotifyToParent(nm.hdr);
}

void CListCtrl::NotifySimple(UINT nCode, int nItem, int nSubItem)
{
    NMLISTVIEW nm;
    nm.hdr.code = nCode;
    nm.iItem = nItem;
    nm.iSubItem = nSubItem;
    nm.lParam = static_cast<LPARAM>(GetItemData(nItem));
    SendNotifyToParent(nm.hdr);
}
