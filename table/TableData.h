#pragma once
// The extraction table every output consumes, and the lists that travel with it.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/SharedList.h"
#include "kv/KvDbObjectId.h"

// One row of cell texts. Row 0 of a table is the header; column 0 is the handle column "Id".
using TableRow = std::vector<std::u16string>;
using TableData = std::vector<TableRow>;
// A table kept while others hold copies of it (the engine's last assembled table).
using SharedTable = SharedList<TableRow>;

// Shown columns (TableData column indexes) in display order; never holds column 0.
using HeaderOrder = std::vector<std::int32_t>;
// Entry 0 is 0 (the header row), then the TableData row shown at each display position.
using RowOrder = std::vector<std::int32_t>;
// One flag per TableData column: the column is written.
using ColumnIncludeFlags = std::vector<bool>;
// Block reference handle text -> the block table record it points to (preview column).
using HandleBlockMap = std::map<std::u16string, KvDbObjectId>;
