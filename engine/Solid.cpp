#include "engine/Solid.h"

std::size_t Solid::ValueCount() const
{
    return 0;
}

std::u16string Solid::ValueText(std::size_t) const
{
    return {};
}
