#pragma once
#include <string>
#include <vector>

#include "table/TableData.h"

// Folds rows that are equal from column 1 on into one row whose column 1 holds the number of
// rows so folded (the header row counts too if it happens to be equal). Rows come out in the
// reverse of their order, one per group where the walk first meets it, so the row kept for
// a group is the one built last; its handle is appended to lsHandles.
void CountRows(TableData& veTable, std::vector<std::u16string>& lsHandles);
