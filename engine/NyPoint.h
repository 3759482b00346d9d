#pragma once
#include "engine/GeomEnt.h"
#include "kv/KvGePoint3d.h"

class NyPoint : public GeomEnt {
public:
    PropValueList GetProps(const PropItemList& lsKindItems) const override;

    KvGePoint3d position;
};
