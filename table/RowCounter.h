#pragma once
// Counting identical rows as they arrive, without keeping one row per object.
#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "table/TableData.h"

// Rows are identical when equal from column 1 on. Each group keeps its latest row; the
// groups come out latest first, which is the order a reversed walk of all rows meets them.
class RowCounter {
public:
    RowCounter();
    // The index points into this object's own groups.
    RowCounter(const RowCounter&) = delete;
    RowCounter& operator=(const RowCounter&) = delete;

    // Returns the row's group, which stays the same while rows are added.
    std::size_t Add(TableRow&& row);
    // A row equal from column 1 on to the latest row of group iGroup, with csHandle in
    // column 0: counted as Add would, without making the row.
    void AddAgain(std::size_t iGroup, const std::u16string& csHandle);
    // The row an equal later row replaced, given back so that the next row reuses its room
    // (empty when there is none).
    TableRow TakeSpare()
    {
        TableRow spare;
        spare.swap(m_spare);
        return spare;
    }

    // The header (counted into a group it happens to equal, never kept) followed by one row
    // per group with its count in column 1; the kept rows' handles are appended to lsHandles.
    TableData Finish(TableRow&& header, std::vector<std::u16string>& lsHandles);

private:
    struct Group {
        TableRow row;
        std::size_t iLast;  // arrival number of the latest row
        long long nRows;
    };
    struct TailHash {
        const std::vector<Group>* pGroups;
        std::size_t operator()(std::size_t iGroup) const;
    };
    struct TailEqual {
        const std::vector<Group>* pGroups;
        bool operator()(std::size_t iA, std::size_t iB) const;
    };

    std::vector<Group> m_veGroups;
    std::unordered_set<std::size_t, TailHash, TailEqual> m_index;
    std::size_t m_nAdded = 0;
    TableRow m_spare;
};
