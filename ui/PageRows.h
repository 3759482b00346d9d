#pragma once
// The list routines the wizard pages share: check changes, page-table checks, and moving
// rows between a page table and a list control.
#include <functional>
#include <optional>
#include <string>

#include "ui/WizardState.h"
#include "kvui/CListCtrl.h"

// The new check (true checked) when an item change moved the check-box state image, or
// nothing for a selection, focus or first-box change.
std::optional<bool> DetectCheckChange(unsigned int uOldState, unsigned int uNewState);

// Sets cell 0 of every row whose key cell equals csKey; key column 0 or 1 means cell 1.
void SetRowCheck(PageTable& veRows, const std::u16string& csKey, bool bChecked, int iKeyCol);

// Inserts the rows, in table order, at the top of the list; each item's data is its row's
// index in veRows, and fillItem sets its label, cells and check.
void InsertRowsIntoList(const PageTable& veRows, CListCtrl& list,
                        const std::function<void(int iItem, const TableRow& row)>& fillItem);

// Removes every item whose column-1 text equals cell iKeyCell of a row.
void RemoveRowsFromList(const PageTable& veRows, CListCtrl& list, std::size_t iKeyCell);

inline bool IsRowChecked(const TableRow& row)
{
    return !row.empty() && row[0] == kRowChecked;
}
