#pragma once
// The part every object record shares.
#include <string>
#include <vector>

#include "engine/ObjKind.h"
#include "engine/SharedText.h"

struct BaseEnt {
    SharedText csName;        // localised kind name; the effective block name for blocks
    std::u16string csHandle;  // database handle as upper-case hexadecimal text
    // Last: a record's own flag takes the room after it (hundreds of thousands of records).
    ObjKind type = ObjKind(0);

    // Entry type - 1 of lsObjNames; empty for a kind it has no entry for.
    std::u16string TypeName(const std::vector<std::u16string>& lsObjNames) const;
};
