#include "engine/Solid.h"

PropValueList Solid::GetProps(const PropItemList&) const
{
    return {};
}
