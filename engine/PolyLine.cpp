#include "engine/PolyLine.h"

#include "engine/NumberText.h"
#include "host/ResString.h"

std::size_t PolyLine::ValueCount() const
{
    return 5;
}

std::u16string PolyLine::ValueText(std::size_t position) const
{
    switch (position) {
    case 0: return FormatNumber(area);
    case 1: return FormatNumber(constantWidth);
    case 2: return FormatNumber(length);
    case 3: return LoadResString(closed == 1 ? 256 : 257);
    case 4: return LoadResString(linetypeGeneration == 1 ? 266 : 267);
    default: return {};
    }
}
