#pragma once
#include "engine/GeomEnt.h"
#include "kv/KvGePoint3d.h"

class Line : public GeomEnt {
public:
    std::size_t ValueCount() const override;
    std::u16string ValueText(std::size_t position) const override;

    double angle = 0.0;  // degrees on the XY plane, 0 to 360
    double deltaX = 0.0;
    double deltaY = 0.0;
    double deltaZ = 0.0;
    KvGePoint3d startPoint;
    KvGePoint3d endPoint;
    double length = 0.0;
};
