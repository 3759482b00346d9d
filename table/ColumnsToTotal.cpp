#include "table/ColumnsToTotal.h"

#include <algorithm>
#include <string_view>

std::vector<std::u16string> ColumnsToTotal(const TableRow& header, const PropItemSet& seItems,
                                           const std::u16string& csQty)
{
    std::vector<std::u16string> lsColumns;
    if (seItems.empty()) return lsColumns;
    for (const std::u16string& csHeader : header) {
        const auto it = seItems.find(std::u16string_view(csHeader));
        if (csHeader == csQty || (it != seItems.end() && it->totalComp)) lsColumns.push_back(csHeader);
    }
    std::sort(lsColumns.begin(), lsColumns.end());
    lsColumns.erase(std::unique(lsColumns.begin(), lsColumns.end()), lsColumns.end());
    return lsColumns;
}
