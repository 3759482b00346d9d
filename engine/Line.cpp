#include "engine/Line.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"

PropValueList Line::GetProps(const PropItemList& lsKindItems) const
{
    return PairWithNames(lsKindItems, {FormatNumber(angle), FormatNumber(deltaX), FormatNumber(deltaY),
                                       FormatNumber(deltaZ), FormatNumber(startPoint.x), FormatNumber(startPoint.y),
                                       FormatNumber(startPoint.z), FormatNumber(endPoint.x), FormatNumber(endPoint.y),
                                       FormatNumber(endPoint.z), FormatNumber(length)});
}
