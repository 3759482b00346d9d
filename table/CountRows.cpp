#include "table/CountRows.h"

#include <utility>

#include "table/RowCounter.h"

void CountRows(TableData& veTable, std::vector<std::u16string>& lsHandles)
{
    if (veTable.empty()) return;
    RowCounter counter;
    for (std::size_t r = 1; r < veTable.size(); ++r) counter.Add(std::move(veTable[r]));
    veTable = counter.Finish(std::move(veTable.front()), lsHandles);
}
