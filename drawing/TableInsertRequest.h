#pragma once
// What the output page hands to the table insertion, and what it gets back.
#include <string>

#include "kv/KvDbObjectId.h"
#include "table/TableData.h"

struct TableInsertRequest {
    // In: the extraction table (with the empty row and totals line when totals are shown),
    // its blocks for the preview column, and the preview's column and row arrangement.
    SharedTable veTable;
    HandleBlockMap mapBlocks;
    ColumnIncludeFlags veIncludeFlags;
    HeaderOrder veHeaderOrder;
    RowOrder veRowOrder;
    std::u16string csPreviewName;

    // Out: the host status of the point request (RTNORM when a table was inserted) and the
    // new table; the table is tagged later only when the status is RTNORM.
    int iInsertResult = 0;
    KvDbObjectId idInsertedTable;
};
