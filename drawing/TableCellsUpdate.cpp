#include "drawing/TableCellsUpdate.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "drawing/TableReadBack.h"
#include "drawing/TableWriter.h"
#include "kv/KvDbTable.h"
#include "table/TotalLine.h"

namespace {

// Engine data rows by key (handle or group value), each key's rows in table order, so that
// a table row finds its matches without walking every engine row.
class EngineRowIndex {
public:
    EngineRowIndex(const TableData& veEngine, std::size_t nDataRows, std::size_t iKeyColumn) : m_next(nDataRows + 1, 0)
    {
        m_heads.reserve(nDataRows);
        for (std::size_t j = 1; j <= nDataRows; ++j) {
            if (iKeyColumn >= veEngine[j].size()) continue;
            auto [it, bNew] = m_heads.try_emplace(veEngine[j][iKeyColumn], Chain{j, j});
            if (!bNew) {
                m_next[it->second.last] = j;
                it->second.last = j;
            }
        }
    }
    // First matching row (0 when none), then Next until 0.
    std::size_t First(std::u16string_view csKey) const
    {
        const auto it = m_heads.find(csKey);
        return it == m_heads.end() ? 0 : it->second.first;
    }
    std::size_t Next(std::size_t j) const { return m_next[j]; }

private:
    struct Chain {
        std::size_t first, last;
    };
    std::unordered_map<std::u16string_view, Chain> m_heads;
    std::vector<std::size_t> m_next;
};

}  // namespace

bool UpdateTableCells(TableData& veEngineTable, KvDbTable& table, std::vector<std::u16string>& lsHandles, bool bGroup,
                      const CountedGroups* pGroups)
{
    int nRows = table.numRows();
    const int nColumns = table.numColumns();
    const bool bTotals = HasTotalsRows(table);
    TotalColumns lsTotalCols;
    bool bLineAppended = false;
    if (bTotals) {
        lsTotalCols = ColumnsWithTotals(table);
        TableRow lsTotalLine = ComputeTotalLine(veEngineTable, lsTotalCols);
        if (!lsTotalLine.empty()) {
            veEngineTable.push_back(std::move(lsTotalLine));
            bLineAppended = true;
        }
        nRows -= 2;
    }
    std::size_t nData = veEngineTable.empty() ? 0 : veEngineTable.size() - 1;
    if (bLineAppended) --nData;

    const EngineRowIndex index(veEngineTable, nData, bGroup ? 1 : 0);
    // A counted row whose kept object is gone takes the group with its other cells, unless
    // another row's object already leads to that group.
    std::unordered_set<std::u16string> seReached;
    std::unique_ptr<CountedRowsByCells> pByCells;
    if (pGroups != nullptr && !bGroup) {
        for (const std::u16string& csHandle : lsHandles) {
            const auto it = pGroups->find(csHandle);
            if (it != pGroups->end()) seReached.insert(it->second);
        }
    }
    bool bChanged = false;
    std::vector<int> veGoneRows;
    std::vector<std::u16string> lsGoneHandles;
    for (int r = 2; r < nRows; ++r) {
        const std::size_t k = static_cast<std::size_t>(r - 2);
        // A row past the end of the tag has no object to compare with: leave it as it is.
        if (k >= lsHandles.size()) break;
        TableRow row = ReadTableRow(table, r, nColumns);

        std::u16string_view csKey;
        if (bGroup) {
            if (nColumns > 0) csKey = row[0];
        } else if (pGroups != nullptr) {
            const auto itGroup = pGroups->find(lsHandles[k]);
            if (itGroup != pGroups->end()) {
                csKey = itGroup->second;
            } else {
                if (!pByCells)
                    pByCells = std::make_unique<CountedRowsByCells>(veEngineTable, ReadTableRow(table, 1, nColumns));
                for (const std::u16string& csKept : pByCells->Find(row)) {
                    if (seReached.insert(csKept).second) {
                        csKey = csKept;
                        break;
                    }
                }
            }
        } else {
            csKey = lsHandles[k];
        }
        std::size_t j = csKey.empty() && !bGroup ? 0 : index.First(csKey);
        if (j == 0) {
            bChanged = true;
            veGoneRows.push_back(r);
            lsGoneHandles.push_back(lsHandles[k]);
            continue;
        }
        if (pGroups != nullptr && !bGroup) lsHandles[k] = veEngineTable[j][0];
        for (; j != 0; j = index.Next(j)) {
            const TableRow& engineRow = veEngineTable[j];
            for (int c = 0; c < nColumns; ++c) {
                const std::size_t iCell = static_cast<std::size_t>(c) + 1;
                const std::u16string& csNew = iCell < engineRow.size() ? engineRow[iCell] : std::u16string();
                if (row[c] == csNew) continue;
                if (table.setTextString(r, c, csNew) != Kvmo::eOk) {
                    PrintTableError(kErrCellContent);
                    return bChanged;
                }
                row[c] = csNew;
                bChanged = true;
            }
        }
    }

    // The rows themselves go, bottom first so the indexes stay right; deleting by content
    // would also take identical rows of objects that still exist.
    for (auto it = veGoneRows.rbegin(); it != veGoneRows.rend(); ++it) table.deleteRows(*it, 1);
    if (!veGoneRows.empty()) table.generateLayout();

    if (bTotals && bChanged) {
        TableData veRows;
        if (ReadTableRows(table, veRows)) {
            veRows.pop_back();
            const TableRow lsTotalLine = ComputeTotalLine(veRows, lsTotalCols);
            const int iLast = table.numRows() - 1;
            for (int c = 0; c < static_cast<int>(lsTotalLine.size()) && c < nColumns; ++c) {
                if (table.textString(iLast, c) == lsTotalLine[c]) continue;
                if (table.setTextString(iLast, c, lsTotalLine[c]) != Kvmo::eOk) {
                    PrintTableError(kErrCellContent);
                    return false;
                }
            }
        }
    }

    if (!lsGoneHandles.empty()) {
        const std::unordered_set<std::u16string> seGone(lsGoneHandles.begin(), lsGoneHandles.end());
        std::erase_if(lsHandles, [&](const std::u16string& cs) { return seGone.count(cs) != 0; });
    }
    return bChanged;
}

bool DeleteMatchingRows(KvDbTable& table, const std::vector<std::u16string>& lsCells)
{
    bool bDeleted = false;
    for (int r = 2; r < table.numRows();) {
        if (ReadTableRow(table, r, table.numColumns()) != lsCells) {
            ++r;
            continue;
        }
        table.deleteRows(r, 1);
        bDeleted = true;
        if (table.generateLayout() != Kvmo::eOk) break;
    }
    return bDeleted;
}

void RemoveHandle(std::vector<std::u16string>& lsHandles, const std::u16string& csHandle)
{
    std::erase(lsHandles, csHandle);
}
