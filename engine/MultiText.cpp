#include "engine/MultiText.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"
#include "host/ResString.h"

PropValueList MultiText::GetProps(const PropItemList& lsKindItems) const
{
    return PairWithNames(
        lsKindItems, {FormatNumber(location.x), FormatNumber(location.y), FormatNumber(location.z), csContents, csStyle,
                      csJustify, csDirection, FormatNumber(definedWidth), FormatNumber(textHeight),
                      FormatNumber(rotation), LoadResString(backgroundMask ? 256 : 257),
                      FormatNumber(lineSpacingFactor), FormatNumber(lineSpacingDistance), csLineSpacingStyle});
}
