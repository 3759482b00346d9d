#pragma once
// Rebuilds an extraction table entity in place from a new table: the title cell stays, the
// grid is resized, every cell rewritten and the columns fitted again.
#include <string>
#include <vector>

#include "drawing/CountedGroups.h"
#include "engine/PropItem.h"
#include "table/TableData.h"

class KvDbTable;

// What a rewrite takes from the engine after the table was assembled.
struct RewriteSource {
    const TableData& veTable;         // the engine's final table
    const HandleBlockMap& mapBlocks;  // blocks of the preview column
    const PropItemSet& seOffered;     // offered properties: which columns may be totalled
    std::u16string csQtyName;
    std::u16string csPreviewName;
};

// Rewrites the table with the engine rows of the listed objects (a row once per listed
// entry), or with every engine row when bGroup (combined rows stand for no single object).
// With pGroups (a counting table) a group's row is kept, once, when a listed object belongs
// to it. A table that had totals gets an empty row and the new totals line. lsHandles becomes
// the handles of the rows written, in table order, so the tag matches the table row for row.
// True when the table's layout regenerated.
bool RewriteTable(const RewriteSource& source, KvDbTable& table, std::vector<std::u16string>& lsHandles, bool bGroup,
                  const CountedGroups* pGroups = nullptr);

// Keeps the title cell and gives the table nRows rows and nColumns columns, the new ones as
// wide and as high as the first. False when the table is not open for write.
bool ResetTableGrid(KvDbTable& table, int nRows, int nColumns);

// Merges the title row and empties every other cell; true when the layout regenerates.
bool ClearTable(KvDbTable& table, int nRows, int nColumns);

// Writes rows 1 on from the new table (its column k+1 in table column k), blocks in the
// preview column, then fits the columns; prints a fixed text on failure.
void FillRewrittenTable(const TableData& veRows, const HandleBlockMap& mapBlocks, KvDbTable& table,
                        const std::u16string& csPreviewName);
