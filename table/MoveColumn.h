#pragma once
#include <cstddef>

#include "table/TableData.h"

// Moves the cell at index iFrom of every row to index iTo. Nothing happens for an empty table
// or when either index is not a column of the header row.
void MoveColumn(TableData& veTable, std::size_t iFrom, std::size_t iTo);
