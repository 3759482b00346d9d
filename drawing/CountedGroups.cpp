#include "drawing/CountedGroups.h"

#include <algorithm>

#include "engine/ExtractionEngine.h"
#include "table/BuildTable.h"

namespace {

// Cells from iFrom on, each preceded by its length, so no two different rows share a key.
std::u16string RowKey(const TableRow& row, std::size_t iFrom)
{
    std::u16string csKey;
    for (std::size_t c = iFrom; c < row.size(); ++c) {
        csKey += static_cast<char16_t>(row[c].size() & 0xFFFF);
        csKey += static_cast<char16_t>(row[c].size() >> 16);
        csKey += row[c];
    }
    return csKey;
}

}  // namespace

CountedGroups MapObjectsToCountedRows(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel,
                                      bool bName, const TableData& veCounted)
{
    const TableData veKeep = engine.veTableData;
    const HandleBlockMap mapKeep = engine.lsBlockTbRecId;

    // Without the quantity column the header is the counted one less its column 1.
    std::vector<std::u16string> lsFlatProps = lsPropsSel;
    const auto itQty = std::find(lsFlatProps.begin(), lsFlatProps.end(), engine.catalog.csQty);
    if (itQty != lsFlatProps.end()) lsFlatProps.erase(itQty);
    TableData veFlat;
    HandleBlockMap mapScratch;
    BuildTable(engine, lsFlatProps, false, bName, TotalColumns(), std::u16string(), veFlat, mapScratch);
    engine.veTableData = veKeep;
    engine.lsBlockTbRecId = mapKeep;

    std::unordered_map<std::u16string, std::u16string> mapKeptOfKey;
    for (std::size_t j = 1; j < veCounted.size(); ++j) {
        if (!veCounted[j].empty()) mapKeptOfKey.emplace(RowKey(veCounted[j], 2), veCounted[j][0]);
    }
    CountedGroups groups;
    for (std::size_t i = 1; i < veFlat.size(); ++i) {
        if (veFlat[i].empty()) continue;
        const auto it = mapKeptOfKey.find(RowKey(veFlat[i], 1));
        if (it != mapKeptOfKey.end()) groups.emplace(veFlat[i][0], it->second);
    }
    return groups;
}
