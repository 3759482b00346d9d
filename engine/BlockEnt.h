#pragma once
// Record of a block reference.
#include <cstddef>
#include <string>

#include "engine/BaseEnt.h"
#include "engine/PropItem.h"
#include "engine/PropValue.h"
#include "kv/KvDbObjectId.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvGeScale3d.h"

struct BlockEnt : BaseEnt {
    bool isDynamic = false;     // first: beside BaseEnt::type
    PropValueList lsAttributs;  // one per attribute, in the reference's order
    PropValueList lsProps;      // dynamic properties; empty for a static block
    KvDbObjectId idBlkTblRec;   // the record the reference points to (anonymous for dynamic ones)
    double rotationVal = 0.0;   // degrees
    KvGePoint3d pos;
    KvGeScale3d scale3d;

    // Position X, Y, Z, rotation, scale X, Y, Z, named by blcDatas in its order.
    PropValueList GetBlockProps(const PropItemList& blcDatas) const;
    // The same without names, for the table, which asks only for those it has columns for.
    static constexpr std::size_t kBlockValueCount = 7;
    std::u16string BlockValueText(std::size_t position) const;
};
