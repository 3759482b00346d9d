#pragma once
// Sorting newly picked objects into the kinds an extraction table can show.
#include <set>
#include <string>
#include <vector>

#include "kv/KvResbuf.h"

struct NewObjects {
    std::vector<std::u16string> lsHandles;  // selection order
    std::set<std::u16string> seTypeNames;   // ascending ordinal order
};

// Classifies every entity of the selection: block reference, polyline, line, circle, arc,
// 3D solid, 2D solid, point (first class that fits), named by lsObjNames. Other entities,
// multiline texts among them, join neither list; nor does a table, which is the extraction's
// output, not one of its objects.
NewObjects ClassifyNewObjects(const kv_name ss, std::int32_t nCount, const std::vector<std::u16string>& lsObjNames);
