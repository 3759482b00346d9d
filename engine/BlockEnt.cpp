#include "engine/BlockEnt.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"

PropValueList BlockEnt::GetBlockProps(const PropItemList& blcDatas) const
{
    // The record keeps rotation before the position; the pairs put it fourth.
    return PairWithNames(blcDatas,
                         {FormatNumber(pos.x), FormatNumber(pos.y), FormatNumber(pos.z), FormatNumber(rotationVal),
                          FormatNumber(scale3d.sx), FormatNumber(scale3d.sy), FormatNumber(scale3d.sz)});
}
