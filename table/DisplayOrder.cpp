#include "table/DisplayOrder.h"

const std::u16string& CellText(const TableData& table, std::size_t nRow, std::size_t nColumn)
{
    static const std::u16string csEmpty;
    if (nRow >= table.size() || nColumn >= table[nRow].size()) return csEmpty;
    return table[nRow][nColumn];
}

HeaderOrder StoredColumnOrder(const TableData& table)
{
    HeaderOrder veOrder;
    const std::size_t nColumns = table.empty() ? 0 : table[0].size();
    for (std::size_t c = 0; c < nColumns; ++c) veOrder.push_back(static_cast<std::int32_t>(c));
    return veOrder;
}
