#include "drawing/TableReadBack.h"

#include <algorithm>

#include "kv/KvDbTable.h"

TableRow ReadTableRow(const KvDbTable& table, int iRow, int nColumns)
{
    TableRow row;
    row.reserve(static_cast<std::size_t>(std::max(nColumns, 0)));
    for (int c = 0; c < nColumns; ++c) row.push_back(table.textString(iRow, c));
    return row;
}

bool ReadTableRows(const KvDbTable& table, TableData& veRows)
{
    const int nColumns = table.numColumns();
    bool bRead = false;
    for (int r = 1; r < table.numRows(); ++r) {
        veRows.push_back(ReadTableRow(table, r, nColumns));
        bRead = true;
    }
    return bRead;
}

bool HasTotalsRows(const KvDbTable& table)
{
    const int iEmptyRow = table.numRows() - 2;
    if (iEmptyRow < 2) return false;
    for (int c = 0; c < table.numColumns(); ++c) {
        if (!table.textString(iEmptyRow, c).empty()) return false;
    }
    return true;
}

std::vector<std::u16string> ColumnsWithTotals(const KvDbTable& table)
{
    std::vector<std::u16string> lsHeaders;
    const int iLast = table.numRows() - 1;
    if (iLast < 1) return lsHeaders;
    for (int c = 0; c < table.numColumns(); ++c) {
        if (!table.textString(iLast, c).empty()) lsHeaders.push_back(table.textString(1, c));
    }
    return lsHeaders;
}

bool IsCombinedTable(const KvDbTable& table, const std::u16string& csQtyName,
                     const std::vector<std::u16string>& lsTagHandles)
{
    if (table.numRows() < 2 || table.numColumns() < 1) return false;
    if (table.textString(1, 0) == csQtyName) return false;
    return std::all_of(lsTagHandles.begin(), lsTagHandles.end(), [](const std::u16string& cs) { return cs.empty(); });
}
