#pragma once
#include "engine/GeomEnt.h"

// A 2D solid shows only the common properties.
class Solid : public GeomEnt {
public:
    PropValueList GetProps(const PropItemList& lsKindItems) const override;
};
