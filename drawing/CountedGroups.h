#pragma once
// In a counting table each row stands for a group of identical objects and carries the handle
// of the one object the counting kept. The group an object belongs to tells which row it
// counts in, even when the kept object changes between two readings of the drawing.
#include <string>
#include <unordered_map>
#include <vector>

#include "table/TableData.h"

class ExtractionEngine;

// Object handle -> handle of the kept row of its group.
using CountedGroups = std::unordered_map<std::u16string, std::u16string>;

// Reads the engine's objects once more without counting (same properties) and tells, for
// each object, which row of veCounted (the counted table, quantity in column 1) stands for
// its group. Leaves the engine's final table as it found it.
CountedGroups MapObjectsToCountedRows(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel,
                                      bool bName, const TableData& veCounted);

// The counted rows that stand for the group a table row showed, found by the row's cells other
// than the quantity: when the object a row's tag kept is gone, its group may live on in other
// objects. The rows looked up may have fewer columns than the counted table (a table that gains
// columns); the columns they have, named by their header, must all be equal.
class CountedRowsByCells {
public:
    // veCounted: the fresh counted table, quantity in column 1; lsHeader: the looked-up rows' header.
    CountedRowsByCells(const TableData& veCounted, const TableRow& lsHeader);
    // Kept handles (cell 0) of the counted rows with the cells of lsRow, in table order.
    const std::vector<std::u16string>& Find(const TableRow& lsRow) const;

private:
    std::vector<std::size_t> m_veRowColumns;      // the row's columns compared...
    std::vector<std::size_t> m_veCountedColumns;  // ...with these of the counted rows
    bool m_bComparable = true;                    // every compared header exists in the counted table
    std::unordered_map<std::u16string, std::vector<std::u16string>> m_mapKeptOfKey;
};
