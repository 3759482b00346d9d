#include "engine/Solid3D.h"

std::size_t Solid3D::ValueCount() const
{
    return 0;
}

std::u16string Solid3D::ValueText(std::size_t) const
{
    return {};
}
