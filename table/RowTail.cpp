#include "table/RowTail.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// A quick hash of one cell, eight bytes at a time: the rows of a large drawing are hashed
// once each, and only ever compared with each other within the session.
std::uint64_t HashCell(const std::u16string& cell)
{
    const auto* p = reinterpret_cast<const unsigned char*>(cell.data());
    std::size_t n = cell.size() * sizeof(char16_t);
    std::uint64_t hash = 0x9e3779b97f4a7c15ull ^ n;
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        hash = (hash ^ word) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    if (n > 0) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < n; ++i) word |= static_cast<std::uint64_t>(p[i]) << (8 * i);
        hash = (hash ^ word) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    return hash;
}

}  // namespace

std::size_t HashRowTail(const TableRow& row)
{
    std::uint64_t hash = 0x9e3779b97f4a7c15ull;
    for (std::size_t k = 1; k < row.size(); ++k) {
        const std::uint64_t cell = HashCell(row[k]);
        // Order-sensitive mix, so swapped cells hash apart.
        hash ^= cell + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
    }
    return static_cast<std::size_t>(hash);
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
