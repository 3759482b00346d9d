#include "drawing/CountedGroups.h"

#include <algorithm>

#include "engine/ExtractionEngine.h"
#include "table/BuildTable.h"

namespace {

// One cell of a key, preceded by its length, so no two different rows share a key.
void AppendKeyCell(std::u16string& csKey, const std::u16string& csCell)
{
    csKey += static_cast<char16_t>(csCell.size() & 0xFFFF);
    csKey += static_cast<char16_t>(csCell.size() >> 16);
    csKey += csCell;
}

// Cells from iFrom on.
std::u16string RowKey(const TableRow& row, std::size_t iFrom)
{
    std::u16string csKey;
    for (std::size_t c = iFrom; c < row.size(); ++c) AppendKeyCell(csKey, row[c]);
    return csKey;
}

// The given cells, a missing one as empty.
std::u16string RowKey(const TableRow& row, const std::vector<std::size_t>& veColumns)
{
    static const std::u16string csNone;
    std::u16string csKey;
    for (std::size_t c : veColumns) AppendKeyCell(csKey, c < row.size() ? row[c] : csNone);
    return csKey;
}

}  // namespace

CountedGroups MapObjectsToCountedRows(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel,
                                      bool bName, const TableData& veCounted)
{
    const SharedTable veKeep = engine.veTableData;
    const HandleBlockMap mapKeep = engine.lsBlockTbRecId;

    // Without the quantity column the header is the counted one less its column 1.
    std::vector<std::u16string> lsFlatProps = lsPropsSel;
    const auto itQty = std::find(lsFlatProps.begin(), lsFlatProps.end(), engine.catalog.csQty);
    if (itQty != lsFlatProps.end()) lsFlatProps.erase(itQty);
    SharedTable veFlat;
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

CountedRowsByCells::CountedRowsByCells(const TableData& veCounted, const TableRow& lsHeader)
{
    if (veCounted.empty() || veCounted[0].size() < 2) {
        m_bComparable = false;
        return;
    }
    const TableRow& lsCountedHeader = veCounted[0];
    const std::u16string& csQty = lsCountedHeader[1];
    for (std::size_t c = 0; c < lsHeader.size(); ++c) {
        if (lsHeader[c] == csQty) continue;
        const auto it = std::find(lsCountedHeader.begin() + 2, lsCountedHeader.end(), lsHeader[c]);
        if (it == lsCountedHeader.end()) {
            m_bComparable = false;
            return;
        }
        m_veRowColumns.push_back(c);
        m_veCountedColumns.push_back(static_cast<std::size_t>(it - lsCountedHeader.begin()));
    }
    for (std::size_t j = 1; j < veCounted.size(); ++j) {
        if (veCounted[j].empty() || veCounted[j][0].empty()) continue;  // the totals line and its empty row
        m_mapKeptOfKey[RowKey(veCounted[j], m_veCountedColumns)].push_back(veCounted[j][0]);
    }
}

const std::vector<std::u16string>& CountedRowsByCells::Find(const TableRow& lsRow) const
{
    static const std::vector<std::u16string> lsNone;
    if (!m_bComparable) return lsNone;
    const auto it = m_mapKeptOfKey.find(RowKey(lsRow, m_veRowColumns));
    return it == m_mapKeptOfKey.end() ? lsNone : it->second;
}
