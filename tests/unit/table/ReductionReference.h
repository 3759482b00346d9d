#pragma once
// The reductions exactly as the product's algorithms are written, row against row, without any
// shortcut. Slow on purpose: the fast ones must give the very same tables.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/NumberReference.h"
#include "table/TableData.h"

namespace reference {

inline std::u16string Widen(const std::string& cs)
{
    return std::u16string(cs.begin(), cs.end());
}

// Equal cells from column 1 to the end.
inline bool SameTail(const TableRow& a, const TableRow& b)
{
    const auto tailA = a.begin() + (a.empty() ? 0 : 1);
    const auto tailB = b.begin() + (b.empty() ? 0 : 1);
    return std::equal(tailA, a.end(), tailB, b.end());
}

inline void MoveColumn(TableData& table, std::size_t f, std::size_t t)
{
    if (table.empty() || f >= table[0].size() || t >= table[0].size()) return;
    for (TableRow& row : table) {
        if (f >= row.size() || t >= row.size()) continue;
        std::u16string cell = row[f];
        row.erase(row.begin() + static_cast<long>(f));
        row.insert(row.begin() + static_cast<long>(t), cell);
    }
}

inline TableRow TotalLine(const TableData& table, const std::vector<std::u16string>& cols)
{
    if (cols.empty() || table.empty()) return {};
    const std::size_t n = table[0].size();
    TableRow line(n);
    for (std::size_t r = 1; r < table.size(); ++r)
        for (std::size_t k = 0; k < n; ++k)
            for (const std::u16string& name : cols)
                if (table[0][k] == name) {
                    const std::u16string cell = k < table[r].size() ? table[r][k] : u"";
                    line[k] = FormatG(ReadNumber(line[k]) + ReadNumber(cell));
                }
    return line;
}

inline void CountRows(TableData& table, std::vector<std::u16string>& handles)
{
    if (table.empty()) return;
    std::vector<TableRow> reversed(table.rbegin(), table.rend());
    reversed.insert(reversed.begin(), reversed.back());
    reversed.pop_back();

    std::vector<TableRow> kept;
    for (std::size_t r = 1; r < reversed.size(); ++r) {
        bool bSeen = false;
        for (const TableRow& row : kept)
            if (SameTail(row, reversed[r])) bSeen = true;
        if (!bSeen) {
            kept.push_back(reversed[r]);
            handles.push_back(reversed[r].empty() ? u"" : reversed[r][0]);
        }
    }
    for (TableRow& keptRow : kept) {
        int count = 0;
        for (const TableRow& row : reversed)
            if (SameTail(row, keptRow)) ++count;
        if (keptRow.size() > 1) keptRow[1] = Widen(std::to_string(count));
    }
    table.assign(1, reversed[0]);
    table.insert(table.end(), kept.begin(), kept.end());
}

inline void CombineRows(TableData& table, const std::u16string& groupBy, const std::vector<std::u16string>& cols)
{
    if (table.empty()) return;
    std::size_t g = 0;
    while (g < table[0].size() && table[0][g] != groupBy) ++g;
    if (g == table[0].size()) return;
    std::set<std::u16string> values;
    for (const TableRow& row : table)
        if (g < row.size()) values.insert(row[g]);
    MoveColumn(table, g, 1);

    TableData result(1, table[0]);
    for (const std::u16string& value : values) {
        TableData group(1, table[0]);
        for (std::size_t r = 1; r < table.size(); ++r)
            if (table[r].size() > 1 && table[r][1] == value && table[r] != table[0]) group.push_back(table[r]);
        if (group.size() == 1) continue;  // a value no data row carries yields no row
        TableRow line = TotalLine(group, cols);
        if (line.empty()) continue;
        if (line.size() > 1) line[1] = value;
        result.push_back(line);
    }
    table = result;
}

}  // namespace reference
