#include "table/RowTail.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

std::size_t HashRowTail(const TableRow& row)
{
    std::size_t hash = 0x9e3779b97f4a7c15ull;
    for (std::size_t k = 1; k < row.size(); ++k) {
        const std::size_t cell = std::hash<std::u16string_view>()(row[k]);
        // Order-sensitive mix, so swapped cells hash apart.
        hash ^= cell + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
    }
    return hash;
}

bool EqualRowTails(const TableRow& rowA, const TableRow& rowB)
{
    const std::size_t nA = rowA.size() > 1 ? rowA.size() - 1 : 0;
    const std::size_t nB = rowB.size() > 1 ? rowB.size() - 1 : 0;
    if (nA != nB) return false;
    // Equal texts are equal bytes: one memcmp per cell instead of a character loop.
    return std::equal(
        rowA.end() - static_cast<std::ptrdiff_t>(nA), rowA.end(), rowB.end() - static_cast<std::ptrdiff_t>(nB),
        [](const std::u16string& a, const std::u16string& b) {
            return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
        });
}
