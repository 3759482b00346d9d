#include "engine/Line.h"

#include "engine/NumberText.h"

std::size_t Line::ValueCount() const
{
    return 11;
}

std::u16string Line::ValueText(std::size_t position) const
{
    switch (position) {
    case 0: return FormatNumber(angle);
    case 1: return FormatNumber(deltaX);
    case 2: return FormatNumber(deltaY);
    case 3: return FormatNumber(deltaZ);
    case 4: return FormatNumber(startPoint.x);
    case 5: return FormatNumber(startPoint.y);
    case 6: return FormatNumber(startPoint.z);
    case 7: return FormatNumber(endPoint.x);
    case 8: return FormatNumber(endPoint.y);
    case 9: return FormatNumber(endPoint.z);
    case 10: return FormatNumber(length);
    default: return {};
    }
}
