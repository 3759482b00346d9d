#pragma once
#include <cstdint>

#include "engine/GeomEnt.h"

class PolyLine : public GeomEnt {
public:
    std::size_t ValueCount() const override;
    std::u16string ValueText(std::size_t position) const override;

    double area = 0.0;
    double constantWidth = 0.0;
    double length = 0.0;
    std::int32_t closed = 0;              // 1 when closed
    std::int32_t linetypeGeneration = 0;  // 1 when on
};
