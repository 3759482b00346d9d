#include "engine/Solid3D.h"

PropValueList Solid3D::GetProps(const PropItemList&) const
{
    return {};
}
