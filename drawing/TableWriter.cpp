#include "drawing/TableWriter.h"

#include <algorithm>

#include "host/ResString.h"
#include "kv/KvConsole.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbDictionary.h"
#include "kv/KvDbTable.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvGiTextStyle.h"

void PrintTableError(const char16_t* pszText)
{
    kvutPrintf(u"%s", pszText);
}

Kvmo::ErrorStatus FitColumns(KvDbTable& table, int nRows, int nColumns)
{
    Kvmo::ErrorStatus es = Kvmo::eOk;
    for (int c = 0; c < nColumns; ++c) {
        double dWidth = 0.0;
        // The title row spans every column and would widen them all.
        for (int r = 1; r < nRows; ++r) {
            KvGiTextStyle style;
            fromKvDbTextStyle(style, table.textStyle(r, c));
            style.setTextSize(table.textHeight(r, c));
            const std::u16string csText = table.textString(r, c);
            const double dX = style.extents(csText.c_str(), true, -1, false).x;
            dWidth = dWidth == 0.0 ? dX : std::max(dWidth, dX);
        }
        es = table.setColumnWidth(c, std::min(dWidth, kMaxMeasuredWidth) * kColumnWidthFactor);
        if (es != Kvmo::eOk) return es;
    }
    return es;
}

bool FitAndRecompute(KvDbTable& table, int nRows, int nColumns)
{
    if (FitColumns(table, nRows, nColumns) != Kvmo::eOk) {
        PrintTableError(kErrColumnFit);
        return false;
    }
    if (table.recomputeTableBlock(true) != Kvmo::eOk) {
        PrintTableError(kErrTableUpdate);
        return false;
    }
    return true;
}

Kvmo::ErrorStatus WriteTableCell(KvDbTable& table, int r, int c, const TableRow& row, std::size_t k,
                                 const std::u16string& csHeader, const HandleBlockMap& mapBlocks,
                                 const std::u16string& csPreviewName)
{
    // Table row 1 is the header row, which names the column.
    if (r == 1 || csHeader != csPreviewName) return table.setTextString(r, c, row[k]);
    const auto it = row[0].empty() ? mapBlocks.end() : mapBlocks.find(row[0]);
    return it != mapBlocks.end() ? table.setBlockTableRecordId(r, c, it->second, true) : Kvmo::eOk;
}

void FillNewTable(const TableData& veTable, const HandleBlockMap& mapBlocks, const ColumnIncludeFlags& veIncludeFlags,
                  const HeaderOrder& veHeaderOrder, const RowOrder& veRowOrder, const std::u16string& csPreviewName,
                  KvDbTable& table)
{
    const int nRows = static_cast<int>(veTable.size()) + 1;
    const int nColumns = static_cast<int>(veHeaderOrder.size());
    table.setSize(nRows, nColumns);
    table.setColumnWidth(kInitialColumnWidth);
    table.mergeCells(0, 0, 0, nColumns - 1);

    if (nColumns > 0 && table.setTextString(0, 0, LoadResString(kIdTitle)) != Kvmo::eOk) {
        PrintTableError(kErrCellContent);
        return;
    }
    for (int r = 1; r < nRows; ++r) {
        std::size_t i = static_cast<std::size_t>(r - 1);
        if (i < veRowOrder.size()) {
            if (veRowOrder[i] < 0) continue;
            i = static_cast<std::size_t>(veRowOrder[i]);
        }
        if (i >= veTable.size()) continue;
        const TableRow& row = veTable[i];
        for (int c = 0; c < nColumns; ++c) {
            const std::size_t k = static_cast<std::size_t>(veHeaderOrder[c]);
            // An excluded column keeps its place and stays empty; a column without a flag is shown.
            if (k < veIncludeFlags.size() && !veIncludeFlags[k]) continue;
            if (k >= row.size() || k >= veTable[0].size()) continue;
            if (WriteTableCell(table, r, c, row, k, veTable[0][k], mapBlocks, csPreviewName) != Kvmo::eOk) {
                PrintTableError(kErrCellContent);
                return;
            }
        }
    }
    FitAndRecompute(table, nRows, nColumns);
}

KvDbObjectId CreateTable(const TableData& veTable, const HandleBlockMap& mapBlocks,
                         const ColumnIncludeFlags& veIncludeFlags, const HeaderOrder& veHeaderOrder,
                         const RowOrder& veRowOrder, const KvGePoint3d& ptInsert, const std::u16string& csPreviewName)
{
    auto* pTable = new KvDbTable();
    kv_name enLast = {0, 0};
    const bool bHadLast = kvdbEntLast(enLast) == RTNORM;

    KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    KvDbDictionary* pStyles = nullptr;
    // Without a style dictionary the table keeps the host's default style.
    if (pDb != nullptr && pDb->getTableStyleDictionary(pStyles, KvDb::kForRead) == Kvmo::eOk) {
        KvDbObjectId idStyle;
        pStyles->getAt(u"Standard", idStyle);
        pStyles->close();
        pTable->setTableStyle(idStyle);
    }

    FillNewTable(veTable, mapBlocks, veIncludeFlags, veHeaderOrder, veRowOrder, csPreviewName, *pTable);
    pTable->generateLayout();
    pTable->setPosition(ptInsert);

    bool bAppended = false;
    KvDbBlockTable* pBlocks = nullptr;
    if (pDb != nullptr && pDb->getBlockTable(pBlocks, KvDb::kForRead) == Kvmo::eOk) {
        KvDbBlockTableRecord* pModel = nullptr;
        const Kvmo::ErrorStatus esModel = pBlocks->getAt(KVDB_MODEL_SPACE, pModel, KvDb::kForWrite);
        pBlocks->close();
        if (esModel == Kvmo::eOk) {
            bAppended = pModel->appendKvDbEntity(pTable) == Kvmo::eOk;
            pModel->close();
        }
    }
    if (!bAppended) {
        delete pTable;
        return KvDbObjectId();
    }
    pTable->close();

    kv_name enNull = {0, 0};
    kv_name enNew = {0, 0};
    KvDbObjectId idNew;
    if (kvdbEntNext(bHadLast ? enLast : enNull, enNew) == RTNORM) kvdbGetObjectId(idNew, enNew);
    return idNew;
}
