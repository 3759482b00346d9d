#pragma once
// Rows compared from column 1 on: column 0 holds an object's handle, not its data.
#include <cstddef>

#include "table/TableData.h"

std::size_t HashRowTail(const TableRow& row);
bool EqualRowTails(const TableRow& rowA, const TableRow& rowB);
