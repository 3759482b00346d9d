#include "engine/NyPoint.h"

#include "engine/NumberText.h"

std::size_t NyPoint::ValueCount() const
{
    return 3;
}

std::u16string NyPoint::ValueText(std::size_t i) const
{
    switch (i) {
    case 0: return FormatNumber(position.x);
    case 1: return FormatNumber(position.y);
    case 2: return FormatNumber(position.z);
    default: return {};
    }
}
