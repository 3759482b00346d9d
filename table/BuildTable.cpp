#include "table/BuildTable.h"

#include <algorithm>

#include "engine/ExtractionEngine.h"
#include "table/CombineRows.h"
#include "table/RowCounter.h"
#include "table/TableRowBuilder.h"

namespace {

// Removes the first occurrence of csName; true when there was one.
bool TakeFirst(std::vector<std::u16string>& lsNames, const std::u16string& csName)
{
    const auto it = std::find(lsNames.begin(), lsNames.end(), csName);
    if (it == lsNames.end()) return false;
    lsNames.erase(it);
    return true;
}

// Calls visit with the engine's record list of the kind (1 to 9); nothing for other numbers.
template <class Visit>
void WithRecordsOfKind(const ExtractionEngine& engine, std::size_t kind, Visit visit)
{
    switch (kind) {
    case kObjBlock: visit(engine.lsBlocks); break;
    case kObjLine: visit(engine.lsLines); break;
    case kObjPolyline: visit(engine.lsPolyLines); break;
    case kObjArc: visit(engine.lsArcs); break;
    case kObjCircle: visit(engine.lsCircles); break;
    case kObjSolid: visit(engine.lsSolids); break;
    case kObj3dSolid: visit(engine.lsSolids3D); break;
    case kObjPoint: visit(engine.lsPoints); break;
    case kObjMText: visit(engine.lsMTexts); break;
    default: break;
    }
}

}  // namespace

TableRow BuildHeaderRow(const PropertyCatalog& catalog, const std::vector<std::u16string>& lsPropsSel, bool bQty,
                        bool bName)
{
    std::vector<std::u16string> lsRest = lsPropsSel;
    TableRow header{u"Id"};
    if (bQty) {
        TakeFirst(lsRest, catalog.csQty);
        header.push_back(catalog.csQty);
    }
    if (TakeFirst(lsRest, catalog.objTypeItem.name)) header.push_back(catalog.objTypeItem.name);
    if (bName) {
        TakeFirst(lsRest, catalog.nameItem.name);
        header.push_back(catalog.nameItem.name);
    }
    header.insert(header.end(), lsRest.begin(), lsRest.end());
    return header;
}

void BuildTable(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel, bool bQty, bool bName,
                const TotalColumns& lsColsTotalChecked, const std::u16string& csGroupBy, SharedTable& veTableDataOut,
                HandleBlockMap& lsBlockTbRecId)
{
    engine.lsPropsSel = lsPropsSel;
    const PropertyCatalog& catalog = engine.catalog;
    const std::vector<std::u16string>& lsObjNames = catalog.lsObjNames;

    // The kind of each selected name, in order; 0 for a name that matches none.
    std::vector<std::size_t> veKinds;
    std::size_t nRows = 0;
    for (const std::u16string& csKindName : engine.lsObjectsSel) {
        const auto it = std::find(lsObjNames.begin(), lsObjNames.end(), csKindName);
        veKinds.push_back(it == lsObjNames.end() ? 0 : static_cast<std::size_t>(it - lsObjNames.begin()) + 1);
        WithRecordsOfKind(engine, veKinds.back(), [&](const auto& lsRecords) { nRows += lsRecords.size(); });
    }

    const bool bBlocks = !lsObjNames.empty() && std::find(engine.lsObjectsSel.begin(), engine.lsObjectsSel.end(),
                                                          lsObjNames.front()) != engine.lsObjectsSel.end();
    const bool bCount = (bQty && !bBlocks) || (bQty && bName && csGroupBy.empty());

    TableRowBuilder builder(engine.lsObjectsSel, catalog, BuildHeaderRow(catalog, lsPropsSel, bQty, bName),
                            bCount ? 0 : nRows);
    RowCounter counter;
    if (bCount) builder.CountAsBuilt(counter);
    for (const std::size_t kind : veKinds)
        WithRecordsOfKind(engine, kind, [&](const auto& lsRecords) { AddRowsOfKind(builder, lsRecords); });

    TableData veTable;
    if (bCount) {
        std::vector<std::u16string> lsKeptHandles;
        veTable = counter.Finish(std::move(builder.veTableData.front()), lsKeptHandles);
        HandleBlockMap lsKeptBlocks;
        for (const std::u16string& csHandle : lsKeptHandles)
            if (const auto itBlock = builder.lsBlockTbRecId.find(csHandle); itBlock != builder.lsBlockTbRecId.end())
                lsKeptBlocks.insert(*itBlock);
        lsBlockTbRecId = lsKeptBlocks;
        engine.lsBlockTbRecId = std::move(lsKeptBlocks);
    } else {
        veTable = std::move(builder.veTableData);
        if (!csGroupBy.empty() && !bQty) CombineRows(veTable, csGroupBy, lsColsTotalChecked);
    }

    veTableDataOut = SharedTable(std::move(veTable));
    engine.veTableData = veTableDataOut;
}

void BuildTable(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel, bool bQty, bool bName,
                const TotalColumns& lsColsTotalChecked, const std::u16string& csGroupBy, TableData& veTableDataOut,
                HandleBlockMap& lsBlockTbRecId)
{
    SharedTable veTable;
    BuildTable(engine, lsPropsSel, bQty, bName, lsColsTotalChecked, csGroupBy, veTable, lsBlockTbRecId);
    veTableDataOut = veTable.items();
}

bool BuildTableWithTotals(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel, bool bQty,
                          bool bName, bool bTotals, const TotalColumns& lsTotalMarks, const std::u16string& csGroupBy,
                          SharedTable& veTableDataOut, HandleBlockMap& lsBlockTbRecId)
{
    TotalColumns lsColsTotalChecked;
    if (bTotals) {
        lsColsTotalChecked = lsTotalMarks;
        lsColsTotalChecked.push_back(engine.catalog.csQty);
    }
    BuildTable(engine, lsPropsSel, bQty, bName, lsColsTotalChecked, csGroupBy, veTableDataOut, lsBlockTbRecId);
    TableRow lsTotalLine = ComputeTotalLine(veTableDataOut.items(), lsColsTotalChecked);
    if (lsTotalLine.empty()) return false;
    veTableDataOut.push_back(std::move(lsTotalLine));
    return true;
}
