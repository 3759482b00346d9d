#pragma once
#include "engine/GeomEnt.h"
#include "kv/KvGePoint3d.h"

class Circle : public GeomEnt {
public:
    std::size_t ValueCount() const override;
    std::u16string ValueText(std::size_t position) const override;

    double area = 0.0;
    KvGePoint3d center;
    double radius = 0.0;
    double circumference = 0.0;
    double diameter = 0.0;  // twice the rounded radius
};
