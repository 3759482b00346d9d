#pragma once
// Reading an extraction table back from its table entity: texts, totals, grouping.
#include <string>
#include <vector>

#include "table/TableData.h"

class KvDbTable;

// The texts of one table row, nColumns cells.
TableRow ReadTableRow(const KvDbTable& table, int iRow, int nColumns);

// Table rows 1 to the last (header, data rows, and the empty row and totals line when
// present), cell k being table column k. True when at least one row was read.
bool ReadTableRows(const KvDbTable& table, TableData& veRows);

// A table ends with an empty row and a totals line. The empty row is recognised as a
// second-to-last row whose cells are all empty (title and header rows excluded): a data row
// that merely starts with an empty cell, such as a line's empty "Name", is not taken for it,
// so a refresh never writes sums over object rows.
bool HasTotalsRows(const KvDbTable& table);

// Header texts (row 1) of the columns whose cell in the last row is not empty.
std::vector<std::u16string> ColumnsWithTotals(const KvDbTable& table);

// A table is combined by its first column when its first header is not the quantity name
// and it stands for no single object. A table made without quantity column and without
// combining has the same first header, but its tag holds the handles of its objects, whereas
// combined rows carry none (their tag items are empty texts). The group-by name is then the
// first header.
bool IsCombinedTable(const KvDbTable& table, const std::u16string& csQtyName,
                     const std::vector<std::u16string>& lsTagHandles);
