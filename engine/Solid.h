#pragma once
#include "engine/GeomEnt.h"

// A 2D solid shows only the common properties.
class Solid : public GeomEnt {
public:
    std::size_t ValueCount() const override;
    std::u16string ValueText(std::size_t position) const override;
};
