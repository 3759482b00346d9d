#include "engine/PolyLine.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"
#include "host/ResString.h"

PropValueList PolyLine::GetProps(const PropItemList& lsKindItems) const
{
    return PairWithNames(lsKindItems,
                         {FormatNumber(area), FormatNumber(constantWidth), FormatNumber(length),
                          LoadResString(closed == 1 ? 256 : 257), LoadResString(linetypeGeneration == 1 ? 266 : 267)});
}
