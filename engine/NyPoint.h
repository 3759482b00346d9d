#pragma once
#include "engine/GeomEnt.h"
#include "kv/KvGePoint3d.h"

class NyPoint : public GeomEnt {
public:
    std::size_t ValueCount() const override;
    std::u16string ValueText(std::size_t i) const override;

    KvGePoint3d position;
};
