#include "ui/GridListCtrl.h"

#include "host/ResString.h"
#include "kvui/CMenu.h"

namespace {
constexpr UINT kMenuSelectAll = 1;
constexpr UINT kMenuSelectNone = 2;
constexpr unsigned int kIdSelectAll = 200;
constexpr unsigned int kIdSelectNone = 201;
constexpr int kImageUnchecked = 0;
constexpr int kImageChecked = 1;
}  // namespace

void GridListCtrl::OnContextMenuHeader(CWnd* pWnd, CPoint point, int nCol)
{
    if (!m_bHeaderMenuEnabled) return;
    std::vector<bool> veVisibleBefore;
    for (int i = 0; i < GetColumnCount(); ++i) veVisibleBefore.push_back(IsColumnVisible(i));
    CGridListCtrlEx::OnContextMenuHeader(pWnd, point, nCol);
    // Only hiding clears a flag: a column shown again stays left out of the outputs.
    for (int i = 0; i < GetColumnCount() && i < static_cast<int>(veVisibleBefore.size()); ++i)
        if (veVisibleBefore[static_cast<std::size_t>(i)] && !IsColumnVisible(i) &&
            i < static_cast<int>(m_veIncludeFlags.size()))
            m_veIncludeFlags[static_cast<std::size_t>(i)] = false;
}

void GridListCtrl::OnContextMenuCell(CWnd*, CPoint point, int nRow, int nCol)
{
    if (GetCellImage(nRow, nCol) == -1 && nCol != 1) return;
    // A list without check boxes of either kind (the preview) has nothing to select.
    if (!m_bImageCheckMode && !HasCheckBoxes()) return;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kMenuSelectAll, LoadResString(kIdSelectAll));
    menu.AppendMenu(MF_STRING, kMenuSelectNone, LoadResString(kIdSelectNone));
    const UINT_PTR chosen =
        static_cast<UINT_PTR>(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, point.x, point.y, this));
    if (chosen != kMenuSelectAll && chosen != kMenuSelectNone) return;
    const bool bCheck = chosen == kMenuSelectAll;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (m_bImageCheckMode)
            SetCellImage(i, nCol, bCheck ? kImageChecked : kImageUnchecked);
        else
            SetCheck(i, bCheck ? TRUE : FALSE);
    }
}
