#pragma once
#include <string>
#include <vector>

#include "engine/PropItem.h"
#include "table/TableData.h"

// The header texts to total when a table is rebuilt: those of an offered item that may be
// totalled, and the quantity column (only while some item is offered at all). Ascending
// ordinal order, each text once.
std::vector<std::u16string> ColumnsToTotal(const TableRow& header, const PropItemSet& seItems,
                                           const std::u16string& csQty);
