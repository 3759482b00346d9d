#include "engine/BlockEnt.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"

PropValueList BlockEnt::GetBlockProps(const PropItemList& blcDatas) const
{
    return PairWithNames(blcDatas, kBlockValueCount, [this](std::size_t i) { return BlockValueText(i); });
}

std::u16string BlockEnt::BlockValueText(std::size_t position) const
{
    // The record keeps rotation before the position; the values put it fourth.
    switch (position) {
    case 0: return FormatNumber(pos.x);
    case 1: return FormatNumber(pos.y);
    case 2: return FormatNumber(pos.z);
    case 3: return FormatNumber(rotationVal);
    case 4: return FormatNumber(scale3d.sx);
    case 5: return FormatNumber(scale3d.sy);
    case 6: return FormatNumber(scale3d.sz);
    default: return {};
    }
}
