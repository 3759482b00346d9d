#include "table/MoveColumn.h"

#include <algorithm>

void MoveColumn(TableData& veTable, std::size_t iFrom, std::size_t iTo)
{
    if (veTable.empty()) return;
    const std::size_t nColumns = veTable.front().size();
    if (iFrom >= nColumns || iTo >= nColumns || iFrom == iTo) return;
    for (TableRow& row : veTable) {
        // Rows narrower than the header are left alone rather than padded.
        if (iFrom >= row.size() || iTo >= row.size()) continue;
        auto itFrom = row.begin() + static_cast<std::ptrdiff_t>(iFrom);
        auto itTo = row.begin() + static_cast<std::ptrdiff_t>(iTo);
        if (iFrom < iTo)
            std::rotate(itFrom, itFrom + 1, itTo + 1);
        else
            std::rotate(itTo, itFrom, itFrom + 1);
    }
}
