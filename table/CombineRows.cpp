#include "table/CombineRows.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "table/MoveColumn.h"

void CombineRows(TableData& veTable, const std::u16string& csGroupBy, const TotalColumns& lsColsTotal)
{
    if (veTable.empty()) return;
    const TableRow& header0 = veTable.front();
    const auto itGroupBy = std::find(header0.begin(), header0.end(), csGroupBy);
    if (itGroupBy == header0.end()) return;
    MoveColumn(veTable, static_cast<std::size_t>(itGroupBy - header0.begin()), 1);
    if (lsColsTotal.empty()) {
        veTable.resize(1);
        return;
    }
    const TableRow& header = veTable.front();

    // One pass in table order, each row added to the totals of its column-1 value.
    const TotalAccumulator emptyTotals(header, lsColsTotal);
    std::unordered_map<std::u16string_view, std::size_t> groupOfValue;
    std::vector<std::u16string_view> veValues;
    std::vector<TotalAccumulator> veTotals;
    for (std::size_t r = 1; r < veTable.size(); ++r) {
        const TableRow& row = veTable[r];
        if (row.size() < 2 || row == header) continue;
        const auto [it, bNew] = groupOfValue.try_emplace(row[1], veValues.size());
        if (bNew) {
            veValues.push_back(row[1]);
            veTotals.push_back(emptyTotals);
        }
        veTotals[it->second].Add(row);
    }

    std::vector<std::size_t> veOrder(veValues.size());
    for (std::size_t g = 0; g < veOrder.size(); ++g) veOrder[g] = g;
    std::sort(veOrder.begin(), veOrder.end(),
              [&](std::size_t gA, std::size_t gB) { return veValues[gA] < veValues[gB]; });

    TableData veCombined;
    veCombined.reserve(veValues.size() + 1);
    veCombined.push_back(header);
    for (const std::size_t g : veOrder) {
        TableRow line = veTotals[g].Line();
        if (line.size() > 1) line[1] = std::u16string(veValues[g]);
        veCombined.push_back(std::move(line));
    }
    veTable = std::move(veCombined);
}
