#include "engine/PropCategory.h"

#include "host/ResString.h"

std::u16string PropCategory::Name(std::uint32_t category)
{
    switch (category) {
    case General: return LoadResString(218);
    case Geometry: return LoadResString(219);
    case Misc: return LoadResString(220);
    case Attribute: return LoadResString(221);
    case DynamicBlock: return LoadResString(222);
    case Text: return LoadResString(304);
    default: return {};
    }
}
