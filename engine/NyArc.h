#pragma once
#include "engine/GeomEnt.h"
#include "kv/KvGePoint3d.h"

class NyArc : public GeomEnt {
public:
    std::size_t ValueCount() const override;
    std::u16string ValueText(std::size_t position) const override;

    double area = 0.0;
    double startAngle = 0.0;  // degrees
    double endAngle = 0.0;    // degrees
    double totalAngle = 0.0;  // included angle, degrees
    KvGePoint3d center;
    double length = 0.0;
    double radius = 0.0;
};
