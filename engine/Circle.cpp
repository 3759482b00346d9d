#include "engine/Circle.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"

PropValueList Circle::GetProps(const PropItemList& lsKindItems) const
{
    return PairWithNames(lsKindItems,
                         {FormatNumber(area), FormatNumber(center.x), FormatNumber(center.y), FormatNumber(center.z),
                          FormatNumber(radius), FormatNumber(circumference), FormatNumber(diameter)});
}
