#include "engine/NyArc.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"

PropValueList NyArc::GetProps(const PropItemList& lsKindItems) const
{
    return PairWithNames(lsKindItems, {FormatNumber(area), FormatNumber(startAngle), FormatNumber(endAngle),
                                       FormatNumber(totalAngle), FormatNumber(center.x), FormatNumber(center.y),
                                       FormatNumber(center.z), FormatNumber(length), FormatNumber(radius)});
}
