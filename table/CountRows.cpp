#include "table/CountRows.h"

#include <unordered_map>
#include <utility>

#include "table/NumberText.h"
#include "table/RowTail.h"

namespace {

// Keys are row indexes; hashing and equality look at the rows' tails.
struct TailHash {
    const TableData* pTable;
    std::size_t operator()(std::size_t iRow) const { return HashRowTail((*pTable)[iRow]); }
};
struct TailEqual {
    const TableData* pTable;
    bool operator()(std::size_t iA, std::size_t iB) const { return EqualRowTails((*pTable)[iA], (*pTable)[iB]); }
};

struct Group {
    std::size_t iRow;  // the kept row
    long long nRows;
};

} // namespace

void CountRows(TableData& veTable, std::vector<std::u16string>& lsHandles)
{
    if (veTable.empty())
        return;
    const std::size_t nRows = veTable.size();
    // Sized by the groups met, not the rows: real tables fold into few groups, and a small
    // bucket array stays in cache.
    std::unordered_map<std::size_t, std::size_t, TailHash, TailEqual> groupOfRow(
        16, TailHash{&veTable}, TailEqual{&veTable});
    std::vector<Group> veGroups;
    for (std::size_t r = nRows - 1; r >= 1; --r) {
        const auto [it, bNew] = groupOfRow.try_emplace(r, veGroups.size());
        if (bNew)
            veGroups.push_back(Group{r, 1});
        else
            ++veGroups[it->second].nRows;
    }
    if (const auto it = groupOfRow.find(0); it != groupOfRow.end())
        ++veGroups[it->second].nRows;

    TableData veCounted;
    veCounted.reserve(veGroups.size() + 1);
    veCounted.push_back(std::move(veTable.front()));
    for (const Group& group : veGroups) {
        TableRow& row = veTable[group.iRow];
        lsHandles.push_back(row.empty() ? std::u16string() : row[0]);
        if (row.size() > 1)
            row[1] = FormatCountText(group.nRows);
        veCounted.push_back(std::move(row));
    }
    veTable = std::move(veCounted);
}
