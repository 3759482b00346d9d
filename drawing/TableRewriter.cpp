#include "drawing/TableRewriter.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "drawing/TableReadBack.h"
#include "drawing/TableWriter.h"
#include "kv/KvDbTable.h"
#include "table/ColumnsToTotal.h"
#include "table/TotalLine.h"

namespace {

// Engine data rows the rewritten table keeps, in engine order. veOld: the table's rows as they
// were (header first), the k-th data row for the k-th handle.
std::vector<std::size_t> RowsToKeep(const TableData& veEngine, const std::vector<std::u16string>& lsHandles,
                                    bool bGroup, const CountedGroups* pGroups, const TableData& veOld)
{
    std::vector<std::size_t> veKeep;
    if (bGroup) {
        for (std::size_t j = 1; j < veEngine.size(); ++j) veKeep.push_back(j);
        return veKeep;
    }
    if (pGroups != nullptr) {
        std::unordered_set<std::u16string> seKept;
        for (const std::u16string& csHandle : lsHandles) {
            const auto it = pGroups->find(csHandle);
            if (it != pGroups->end()) seKept.insert(it->second);
        }
        // A row whose kept object is gone stays with the groups that have its cells (more than
        // one when a new column tells them apart), unless other rows' objects lead there.
        std::unique_ptr<CountedRowsByCells> pByCells;
        const std::unordered_set<std::u16string> seReached = seKept;
        for (std::size_t k = 0; k < lsHandles.size() && k + 1 < veOld.size(); ++k) {
            if (pGroups->count(lsHandles[k]) != 0) continue;
            if (!pByCells) pByCells = std::make_unique<CountedRowsByCells>(veEngine, veOld[0]);
            for (const std::u16string& csKept : pByCells->Find(veOld[k + 1]))
                if (seReached.count(csKept) == 0) seKept.insert(csKept);
        }
        for (std::size_t j = 1; j < veEngine.size(); ++j) {
            if (!veEngine[j].empty() && seKept.count(veEngine[j][0]) != 0) veKeep.push_back(j);
        }
        return veKeep;
    }
    std::unordered_map<std::u16string, std::size_t> mapListed;
    for (const std::u16string& csHandle : lsHandles) ++mapListed[csHandle];
    for (std::size_t j = 1; j < veEngine.size(); ++j) {
        if (veEngine[j].empty()) continue;
        const auto it = mapListed.find(veEngine[j][0]);
        if (it == mapListed.end()) continue;
        veKeep.insert(veKeep.end(), it->second, j);
    }
    return veKeep;
}

}  // namespace

bool ResetTableGrid(KvDbTable& table, int nRows, int nColumns)
{
    if (!table.isWriteEnabled()) return false;
    if (table.numRows() > 1) table.deleteRows(1, table.numRows() - 1);
    if (table.numColumns() > 1) table.deleteColumns(1, table.numColumns() - 1);
    table.generateLayout();
    if (nColumns > 1) table.insertColumns(1, table.columnWidth(0), nColumns - 1);
    if (nRows > 1) table.insertRows(1, table.rowHeight(0), nRows - 1);
    table.generateLayout();
    return true;
}

bool ClearTable(KvDbTable& table, int nRows, int nColumns)
{
    table.mergeCells(0, 0, 0, nColumns - 1);
    for (int r = 1; r < nRows; ++r) {
        for (int c = 0; c < nColumns; ++c) table.setTextString(r, c, std::u16string());
    }
    return table.generateLayout() == Kvmo::eOk;
}

void FillRewrittenTable(const TableData& veRows, const HandleBlockMap& mapBlocks, KvDbTable& table,
                        const std::u16string& csPreviewName)
{
    if (veRows.empty()) return;
    const int nRows = static_cast<int>(veRows.size()) + 1;
    const int nColumns = static_cast<int>(veRows[0].size()) - 1;
    for (int r = 1; r < nRows; ++r) {
        const TableRow& row = veRows[static_cast<std::size_t>(r - 1)];
        for (int c = 0; c < nColumns; ++c) {
            const std::size_t k = static_cast<std::size_t>(c) + 1;
            if (k >= row.size()) continue;
            if (WriteTableCell(table, r, c, row, k, veRows[0][k], mapBlocks, csPreviewName) != Kvmo::eOk) {
                PrintTableError(kErrCellContent);
                return;
            }
        }
    }
    FitAndRecompute(table, nRows, nColumns);
}

bool RewriteTable(const RewriteSource& source, KvDbTable& table, std::vector<std::u16string>& lsHandles, bool bGroup,
                  const CountedGroups* pGroups)
{
    const TableData& veEngine = source.veTable;
    if (veEngine.empty()) return false;
    TableData veRows{veEngine[0]};
    std::vector<std::u16string> lsWritten;
    TableData veOld;
    if (pGroups != nullptr) ReadTableRows(table, veOld);
    for (std::size_t j : RowsToKeep(veEngine, lsHandles, bGroup, pGroups, veOld)) {
        veRows.push_back(veEngine[j]);
        lsWritten.push_back(veEngine[j][0]);
    }

    if (HasTotalsRows(table)) {
        const TotalColumns lsCols = ColumnsToTotal(veRows[0], source.seOffered, source.csQtyName);
        TableRow lsTotalLine = ComputeTotalLine(veRows, lsCols);
        if (!lsTotalLine.empty()) {
            veRows.emplace_back(veRows[0].size());
            veRows.push_back(std::move(lsTotalLine));
        }
    }
    lsHandles = std::move(lsWritten);

    const int nRows = static_cast<int>(veRows.size()) + 1;
    const int nColumns = static_cast<int>(veRows[0].size()) - 1;
    if (!ResetTableGrid(table, nRows, nColumns)) return false;
    const bool bRegenerated = ClearTable(table, nRows, nColumns);
    FillRewrittenTable(veRows, source.mapBlocks, table, source.csPreviewName);
    return bRegenerated;
}
