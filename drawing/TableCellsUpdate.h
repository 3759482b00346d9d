#pragma once
// Refreshing an extraction table in place from a new reading of the drawing.
#include <string>
#include <vector>

#include "drawing/CountedGroups.h"
#include "table/TableData.h"

class KvDbTable;

// Rewrites the cells of every data row that differ from its engine row, drops the rows whose
// object is gone (and their handles), and recomputes the totals line when a table with totals
// changed. A row is found by the handle at its place in the tag, or with bGroup by its first
// cell (the group value). With pGroups (a counting table), a row is found through the group
// that now holds its tagged object, and the tag takes that group's kept handle. Rows past the
// end of the tag are left as they are. The totals line of a table with totals is appended to
// veEngineTable. True when anything in the table changed.
bool UpdateTableCells(TableData& veEngineTable, KvDbTable& table, std::vector<std::u16string>& lsHandles, bool bGroup,
                      const CountedGroups* pGroups = nullptr);

// Deletes every data row (row 2 on) whose texts equal lsCells. True when a row was deleted.
bool DeleteMatchingRows(KvDbTable& table, const std::vector<std::u16string>& lsCells);

// Removes every entry equal to csHandle.
void RemoveHandle(std::vector<std::u16string>& lsHandles, const std::u16string& csHandle);
