#include "engine/NyArc.h"

#include "engine/NumberText.h"

std::size_t NyArc::ValueCount() const
{
    return 9;
}

std::u16string NyArc::ValueText(std::size_t position) const
{
    switch (position) {
    case 0: return FormatNumber(area);
    case 1: return FormatNumber(startAngle);
    case 2: return FormatNumber(endAngle);
    case 3: return FormatNumber(totalAngle);
    case 4: return FormatNumber(center.x);
    case 5: return FormatNumber(center.y);
    case 6: return FormatNumber(center.z);
    case 7: return FormatNumber(length);
    case 8: return FormatNumber(radius);
    default: return {};
    }
}
