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
