#include "drawing/UpdateModes.h"

#include <algorithm>
#include <set>
#include <unordered_set>

#include "drawing/CountedGroups.h"
#include "drawing/ExtractionTag.h"
#include "drawing/NewObjectClassification.h"
#include "drawing/TableCellsUpdate.h"
#include "drawing/TableReadBack.h"
#include "drawing/TableRewriter.h"
#include "engine/ExtractionEngine.h"
#include "ExcelFormat/XlsExport.h"
#include "export/CsvExport.h"
#include "host/ResString.h"
#include "host/SelectionSet.h"
#include "kv/KvConsole.h"
#include "kv/KvDbObjectPointer.h"
#include "kv/KvDbTable.h"
#include "kv/KvEdFunctions.h"
#include "table/BuildTable.h"

namespace {

void PrintRes(unsigned int id)
{
    kvutPrintf(u"%s", LoadResString(id).c_str());
}

// Interactive selection of new objects with the dialog hidden.
bool AskObjects(SelectionSet& selection, unsigned int idPrompt, EditorInteraction& ui)
{
    PrintRes(idPrompt);
    ui.BeginEditorCommand();
    if (!selection.Get(nullptr)) {
        ui.CancelEditorCommand();
        return false;
    }
    ui.CompleteEditorCommand();
    return true;
}

// Asks for new objects with the dialog hidden: their kinds and handles, and an engine of
// them. False when the user picked nothing.
bool ReadNewObjects(unsigned int idPrompt, EditorInteraction& ui, const PropertyCatalog& catalog, NewObjects& objects,
                    ExtractionEngine& engine)
{
    SelectionSet picked;
    if (!AskObjects(picked, idPrompt, ui)) return false;
    objects = ClassifyNewObjects(picked.Name(), picked.Count(), catalog.lsObjNames);
    engine = ExtractionEngine(picked.Name(), picked.Count(), catalog);
    return true;
}

// The picked table's id; false when there is no table to work on.
bool PickedTableId(const UpdateDialogState& state, KvDbObjectId& idTable)
{
    return kvdbGetObjectId(idTable, state.enTable) == Kvmo::eOk && !idTable.isNull();
}

bool Contains(const std::vector<std::u16string>& ls, const std::u16string& cs)
{
    return std::find(ls.begin(), ls.end(), cs) != ls.end();
}

// How the table was made, read from its header row and its tag; and the new assembly.
struct Assembly {
    std::vector<std::u16string> lsPropsSel;
    bool bQty = false;
    bool bName = false;
    bool bGroup = false;
    bool bCounting = false;
    TotalColumns lsTotalCols;
    std::u16string csGroupBy;
    TableData veTable;
    HandleBlockMap mapBlocks;
    CountedGroups groups;
};

Assembly DescribeTable(const KvDbTable& table, std::vector<std::u16string> lsPropsSel, const PropertyCatalog& catalog,
                       const std::vector<std::u16string>& lsTypes, const std::vector<std::u16string>& lsTagHandles)
{
    Assembly a;
    a.lsPropsSel = std::move(lsPropsSel);
    a.bQty = Contains(a.lsPropsSel, catalog.csQty);
    a.bName = Contains(a.lsPropsSel, catalog.nameItem.name);
    a.lsTotalCols = ColumnsWithTotals(table);
    a.bGroup = IsCombinedTable(table, catalog.csQty, lsTagHandles);
    if (a.bGroup) a.csGroupBy = table.textString(1, 0);
    // Counting happens when the quantity column is shown, unless block rows without their
    // name column would fold blocks of different names together.
    const bool bBlocks = !catalog.lsObjNames.empty() && Contains(lsTypes, catalog.lsObjNames[0]);
    a.bCounting = a.bQty && !a.bGroup && (!bBlocks || a.bName);
    return a;
}

void Assemble(ExtractionEngine& engine, Assembly& a)
{
    BuildTable(engine, a.lsPropsSel, a.bQty, a.bName, a.lsTotalCols, a.csGroupBy, a.veTable, a.mapBlocks);
    if (a.bCounting) a.groups = MapObjectsToCountedRows(engine, a.lsPropsSel, a.bName, a.veTable);
}

std::vector<std::u16string> HeaderTexts(const KvDbTable& table)
{
    return table.numRows() > 1 ? ReadTableRow(table, 1, table.numColumns()) : std::vector<std::u16string>();
}

void RewriteTags(KvDbObjectId idTable, const std::vector<std::u16string>& lsHandles,
                 const std::vector<std::u16string>* plsTypes)
{
    ClearTag(idTable, kTagHandles);
    AppendTagItems(idTable, kTagHandles, lsHandles);
    if (plsTypes == nullptr) return;
    ClearTag(idTable, kTagTypes);
    AppendTagItems(idTable, kTagTypes, *plsTypes);
}

bool Rewrite(ExtractionEngine& engine, Assembly& a, KvDbTable& table, std::vector<std::u16string>& lsHandles)
{
    const RewriteSource source{a.veTable, a.mapBlocks, engine.seHeaders, engine.catalog.csQty,
                               engine.catalog.previewItem.name};
    return RewriteTable(source, table, lsHandles, a.bGroup, a.bCounting ? &a.groups : nullptr);
}

// Opens the table for write and reads the whole drawing into an engine for the kinds; false,
// with nothing left open, when the drawing has no objects or the table does not open.
bool OpenTableAndReadDrawing(KvDbObjectId idTable, const PropertyCatalog& catalog,
                             const std::vector<std::u16string>& lsTypes, KvDbObjectPointer<KvDbTable>& pTable,
                             ExtractionEngine& engine)
{
    SelectionSet all;
    if (!all.Get(u"A") || pTable.open(idTable, KvDb::kForWrite) != Kvmo::eOk) return false;
    engine = ExtractionEngine(all.Name(), all.Count(), catalog);
    all.Free();
    engine.SelectObjectTypes(lsTypes);
    return true;
}

// Closes the table, then tags it with the objects of its rows (and their kinds when given)
// and says whether it changed.
void FinishTable(KvDbObjectPointer<KvDbTable>& pTable, KvDbObjectId idTable,
                 const std::vector<std::u16string>& lsHandles, const std::vector<std::u16string>* plsTypes,
                 bool bChanged)
{
    pTable.close();
    RewriteTags(idTable, lsHandles, plsTypes);
    PrintRes(bChanged ? kIdTableUpdated : kIdTableUpToDate);
}

}  // namespace

void SelectTable(UpdateDialogState& state, EditorInteraction& ui)
{
    PrintRes(kIdSelectTable);
    // Only table entities can be picked: anything else leaves no table chosen.
    resbuf* pFilter = kvutBuildList(RTDXF0, u"ACAD_TABLE", RTNONE_LIST_END);
    ui.BeginEditorCommand();
    SelectionSet picked;
    picked.Get(u":S", pFilter);
    kvutRelRb(pFilter);
    if (picked.Status() == RTNORM) {
        ui.CompleteEditorCommand();
        kvedSSName(picked.Name(), 0, state.enTable);
        picked.Free();
        state.bTableSelected = true;
    } else {
        ui.CancelEditorCommand();
    }
}

void UpdateSelectedTable(UpdateDialogState& state, EditorInteraction&)
{
    KvDbObjectId idTable;
    if (!PickedTableId(state, idTable)) return;
    std::vector<std::u16string> lsHandles = ReadTag(idTable, kTagHandles);
    const std::vector<std::u16string> lsTypes = ReadTag(idTable, kTagTypes);
    if (lsHandles.empty() || lsTypes.empty()) return;

    KvDbObjectPointer<KvDbTable> pTable;
    ExtractionEngine engine;
    if (!OpenTableAndReadDrawing(idTable, state.catalog, lsTypes, pTable, engine)) return;

    Assembly a = DescribeTable(*pTable, HeaderTexts(*pTable), state.catalog, lsTypes, lsHandles);
    Assemble(engine, a);
    const bool bChanged = UpdateTableCells(a.veTable, *pTable, lsHandles, a.bGroup, a.bCounting ? &a.groups : nullptr);
    FinishTable(pTable, idTable, lsHandles, nullptr, bChanged);
}

void AddObjectsToTable(UpdateDialogState& state, EditorInteraction& ui)
{
    NewObjects added;
    ExtractionEngine engineNew;
    if (!ReadNewObjects(kIdSelectNewObjects, ui, state.catalog, added, engineNew)) return;

    KvDbObjectId idTable;
    if (!PickedTableId(state, idTable)) return;
    const std::vector<std::u16string> lsOldHandles = ReadTag(idTable, kTagHandles);
    const std::vector<std::u16string> lsOldTypes = ReadTag(idTable, kTagTypes);
    if (lsOldHandles.empty() || lsOldTypes.empty()) return;

    std::set<std::u16string> seTypes(lsOldTypes.begin(), lsOldTypes.end());
    seTypes.insert(added.seTypeNames.begin(), added.seTypeNames.end());
    const std::vector<std::u16string> lsTypes(seTypes.begin(), seTypes.end());
    std::vector<std::u16string> lsHandles = lsOldHandles;
    std::unordered_set<std::u16string> seListed(lsOldHandles.begin(), lsOldHandles.end());
    for (const std::u16string& csHandle : added.lsHandles) {
        if (seListed.insert(csHandle).second) lsHandles.push_back(csHandle);
    }
    if (lsHandles.size() == lsOldHandles.size()) {
        PrintRes(kIdTableUpToDate);
        return;
    }

    KvDbObjectPointer<KvDbTable> pTable;
    ExtractionEngine engine;
    if (!OpenTableAndReadDrawing(idTable, state.catalog, lsTypes, pTable, engine)) return;
    const std::vector<std::u16string> lsNewTypes(added.seTypeNames.begin(), added.seTypeNames.end());
    const PropItemSet& seNewOffered = engineNew.SelectObjectTypes(lsNewTypes);

    // The new kinds bring their own columns; the columns come out in name order.
    const std::vector<std::u16string> lsHeader = HeaderTexts(*pTable);
    std::set<std::u16string> seHeaders(lsHeader.begin(), lsHeader.end());
    if (!state.catalog.lsObjNames.empty() && added.seTypeNames.count(state.catalog.lsObjNames[0]) != 0) {
        seHeaders.insert(state.catalog.nameItem.name);
    }
    for (const PropItem& item : engineNew.blockPropItems) seHeaders.insert(item.name);
    for (const PropItem& item : seNewOffered) {
        const bool bGeometric = std::any_of(state.catalog.geomDatas.begin(), state.catalog.geomDatas.end(),
                                            [&](const PropItem& geom) { return geom.name == item.name; });
        if (bGeometric) seHeaders.insert(item.name);
    }

    Assembly a = DescribeTable(*pTable, std::vector<std::u16string>(seHeaders.begin(), seHeaders.end()), state.catalog,
                               lsTypes, lsOldHandles);
    Assemble(engine, a);
    const bool bRewritten = Rewrite(engine, a, *pTable, lsHandles);
    FinishTable(pTable, idTable, lsHandles, &lsTypes, bRewritten);
}

void ReplaceTableSelection(UpdateDialogState& state, EditorInteraction& ui)
{
    NewObjects chosen;
    ExtractionEngine engine;
    if (!ReadNewObjects(kIdNewSelection, ui, state.catalog, chosen, engine)) return;
    const std::vector<std::u16string> lsTypes(chosen.seTypeNames.begin(), chosen.seTypeNames.end());
    std::vector<std::u16string> lsHandles = chosen.lsHandles;

    KvDbObjectId idTable;
    if (!PickedTableId(state, idTable)) return;
    // Only to tell a combined table from one of single objects; a table without a tag
    // is taken as its first header says.
    const std::vector<std::u16string> lsOldHandles = ReadTag(idTable, kTagHandles, false);
    KvDbObjectPointer<KvDbTable> pTable(idTable, KvDb::kForWrite);
    if (!pTable) return;
    engine.SelectObjectTypes(lsTypes);

    Assembly a = DescribeTable(*pTable, HeaderTexts(*pTable), state.catalog, lsTypes, lsOldHandles);
    Assemble(engine, a);
    const bool bRewritten = Rewrite(engine, a, *pTable, lsHandles);
    FinishTable(pTable, idTable, lsHandles, &lsTypes, bRewritten);
}

void UpdateExportation(UpdateDialogState& state, EditorInteraction& ui)
{
    std::u16string csPath;
    int iFilter = 0;
    if (!ui.AskSaveFile(kExportFilter, u"*.csv", csPath, iFilter)) return;
    KvDbObjectId idTable;
    if (!PickedTableId(state, idTable)) return;
    const KvDbObjectPointer<KvDbTable> pTable(idTable, KvDb::kForRead);
    if (!pTable) return;
    TableData veRows;
    if (ReadTableRows(*pTable, veRows)) {
        // The message is printed whatever happened; a line after it tells what was lost.
        if (iFilter == kExportCsv)
            PrintExportReport(kIdCsvDone, csPath, ExportCsvFromTable(veRows, csPath, u","));
        else if (iFilter == kExportXls)
            PrintExportReport(kIdXlsDone, csPath, ExportXlsFromTable(veRows, csPath));
    }
}
