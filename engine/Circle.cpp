#include "engine/Circle.h"

#include "engine/NumberText.h"

std::size_t Circle::ValueCount() const
{
    return 7;
}

std::u16string Circle::ValueText(std::size_t position) const
{
    switch (position) {
    case 0: return FormatNumber(area);
    case 1: return FormatNumber(center.x);
    case 2: return FormatNumber(center.y);
    case 3: return FormatNumber(center.z);
    case 4: return FormatNumber(radius);
    case 5: return FormatNumber(circumference);
    case 6: return FormatNumber(diameter);
    default: return {};
    }
}
