#pragma once
#include <string>

#include "table/TableData.h"
#include "table/TotalLine.h"

// Replaces the data rows by one row per distinct value of the csGroupBy column, in ascending
// ordinal order of the values. That column moves to index 1; a combined row holds the value
// there, the totals of lsColsTotal over its rows, and empty cells elsewhere. Rows equal to
// the header as a whole are never combined. With no total columns only the header remains;
// a csGroupBy that is no header leaves the table as it is.
void CombineRows(TableData& veTable, const std::u16string& csGroupBy, const TotalColumns& lsColsTotal);
