#pragma once
#include "engine/GeomEnt.h"

// A 3D solid shows only the common properties.
class Solid3D : public GeomEnt {
public:
    PropValueList GetProps(const PropItemList& lsKindItems) const override;
};
