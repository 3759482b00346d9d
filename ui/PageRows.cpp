#include "ui/PageRows.h"

#include <algorithm>

std::optional<bool> DetectCheckChange(unsigned int uOldState, unsigned int uNewState)
{
    if (uOldState == 0 && uNewState == 0) return std::nullopt;
    const int iOld = std::max(0, static_cast<int>((uOldState & LVIS_STATEIMAGEMASK) >> 12) - 1);
    const int iNew = std::max(0, static_cast<int>((uNewState & LVIS_STATEIMAGEMASK) >> 12) - 1);
    if (iOld == iNew) return std::nullopt;
    return iNew == 1;
}

void SetRowCheck(PageTable& veRows, const std::u16string& csKey, bool bChecked, int iKeyCol)
{
    const std::size_t iCell = iKeyCol == 2 ? 2 : 1;
    for (TableRow& row : veRows)
        if (row.size() > iCell && row[iCell] == csKey) row[0] = bChecked ? kRowChecked : kRowUnchecked;
}

void InsertRowsIntoList(const PageTable& veRows, CListCtrl& list,
                        const std::function<void(int iItem, const TableRow& row)>& fillItem)
{
    int iPos = 0;
    for (std::size_t i = 0; i < veRows.size(); ++i) {
        const TableRow& row = veRows[i];
        const int iItem = list.InsertItem(iPos, std::u16string());
        if (iItem < 0) continue;
        list.SetItemData(iItem, static_cast<DWORD_PTR>(i));
        fillItem(iItem, row);
        iPos = iItem + 1;
    }
}

void RemoveRowsFromList(const PageTable& veRows, CListCtrl& list, std::size_t iKeyCell)
{
    for (int i = list.GetItemCount() - 1; i >= 0; --i) {
        const std::u16string csText = list.GetItemText(i, 1);
        const bool bMatch = std::any_of(veRows.begin(), veRows.end(), [&](const TableRow& row) {
            return row.size() > iKeyCell && row[iKeyCell] == csText;
        });
        if (bMatch) list.DeleteItem(i);
    }
}
