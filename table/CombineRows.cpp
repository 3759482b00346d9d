#include "table/CombineRows.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "table/MoveColumn.h"

void CombineRows(TableData& veTable, const std::u16string& csGroupBy, const TotalColumns& lsColsTotal)
{
    if (veTable.empty())
        return;
    const TableRow& header0 = veTable.front();
    const auto itGroupBy = std::find(header0.begin(), header0.end(), csGroupBy);
    if (itGroupBy == header0.end())
        return;
    MoveColumn(veTable, static_cast<std::size_t>(itGroupBy - header0.begin()), 1);
    if (lsColsTotal.empty()) {
        veTable.resize(1);
        return;
    }
    const TableRow& header = veTable.front();

    // Group the data rows by their column 1, remembering each group's value.
    constexpr std::size_t kNoGroup = static_cast<std::size_t>(-1);
    std::unordered_map<std::u16string_view, std::size_t> groupOfValue;
    std::vector<std::u16string_view> veValues;
    std::vector<std::size_t> veGroupOfRow(veTable.size(), kNoGroup);
    std::vector<std::size_t> veGroupSizes;
    for (std::size_t r = 1; r < veTable.size(); ++r) {
        const TableRow& row = veTable[r];
        if (row.size() < 2 || row == header)
            continue;
        const auto [it, bNew] = groupOfValue.try_emplace(row[1], veValues.size());
        if (bNew) {
            veValues.push_back(row[1]);
            veGroupSizes.push_back(0);
        }
        veGroupOfRow[r] = it->second;
        ++veGroupSizes[it->second];
    }

    // Bucket the rows by group, keeping table order inside each bucket.
    std::vector<std::size_t> veBucketStart(veValues.size() + 1, 0);
    for (std::size_t g = 0; g < veValues.size(); ++g)
        veBucketStart[g + 1] = veBucketStart[g] + veGroupSizes[g];
    std::vector<std::size_t> veBucketed(veBucketStart.back());
    std::vector<std::size_t> veFill(veBucketStart.begin(), veBucketStart.end() - 1);
    for (std::size_t r = 1; r < veTable.size(); ++r)
        if (veGroupOfRow[r] != kNoGroup)
            veBucketed[veFill[veGroupOfRow[r]]++] = r;

    std::vector<std::size_t> veOrder(veValues.size());
    for (std::size_t g = 0; g < veOrder.size(); ++g)
        veOrder[g] = g;
    std::sort(veOrder.begin(), veOrder.end(),
              [&](std::size_t gA, std::size_t gB) { return veValues[gA] < veValues[gB]; });

    TableData veCombined;
    veCombined.reserve(veValues.size() + 1);
    veCombined.push_back(header);
    TotalAccumulator accumulator(header, lsColsTotal);
    for (const std::size_t g : veOrder) {
        accumulator.Clear();
        for (std::size_t b = veBucketStart[g]; b < veBucketStart[g + 1]; ++b)
            accumulator.Add(veTable[veBucketed[b]]);
        TableRow line = accumulator.Line();
        if (line.size() > 1)
            line[1] = std::u16string(veValues[g]);
        veCombined.push_back(std::move(line));
    }
    veTable = std::move(veCombined);
}
