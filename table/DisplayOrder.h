#pragma once
// A table's cells in the order the user sees them, for the outputs that write them out.
#include <cstddef>
#include <string>

#include "table/TableData.h"

// The text of a cell; empty for a cell a short row lacks.
const std::u16string& CellText(const TableData& table, std::size_t nRow, std::size_t nColumn);

// Every column of the header row in stored order.
HeaderOrder StoredColumnOrder(const TableData& table);

// Calls cell(nRow, nPosition, csText) for each cell as the preview shows it: rows in the order
// of veRowOrder (a row beyond it keeps its place), in each row the positions of veHeaderOrder
// whose column is shown (a column without a flag counts as shown: the preview sets every flag
// on opening); endRow(nRow) after each row. nRow and nPosition are places on screen.
template <class Cell, class EndRow>
void ForEachShownCell(const TableData& table, const ColumnIncludeFlags& veIncludeFlags,
                      const HeaderOrder& veHeaderOrder, const RowOrder& veRowOrder, Cell cell, EndRow endRow)
{
    for (std::size_t r = 0; r < table.size(); ++r) {
        const std::size_t nSourceRow = r < veRowOrder.size() ? static_cast<std::size_t>(veRowOrder[r]) : r;
        for (std::size_t p = 0; p < veHeaderOrder.size(); ++p) {
            const std::size_t nColumn = static_cast<std::size_t>(veHeaderOrder[p]);
            if (nColumn < veIncludeFlags.size() && !veIncludeFlags[nColumn]) continue;
            cell(r, p, CellText(table, nSourceRow, nColumn));
        }
        endRow(r);
    }
}
