#include "engine/MultiText.h"

#include "engine/NumberText.h"
#include "host/ResString.h"

std::size_t MultiText::ValueCount() const
{
    return 14;
}

std::u16string MultiText::ValueText(std::size_t position) const
{
    switch (position) {
    case 0: return FormatNumber(location.x);
    case 1: return FormatNumber(location.y);
    case 2: return FormatNumber(location.z);
    case 3: return csContents;
    case 4: return csStyle;
    case 5: return csJustify;
    case 6: return csDirection;
    case 7: return FormatNumber(definedWidth);
    case 8: return FormatNumber(textHeight);
    case 9: return FormatNumber(rotation);
    case 10: return LoadResString(backgroundMask ? 256 : 257);
    case 11: return FormatNumber(lineSpacingFactor);
    case 12: return FormatNumber(lineSpacingDistance);
    case 13: return csLineSpacingStyle;
    default: return {};
    }
}
