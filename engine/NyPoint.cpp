#include "engine/NyPoint.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"

PropValueList NyPoint::GetProps(const PropItemList& lsKindItems) const
{
    return PairWithNames(lsKindItems, {FormatNumber(position.x), FormatNumber(position.y), FormatNumber(position.z)});
}
