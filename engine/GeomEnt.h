#pragma once
// Base of the records of kinds 2 to 9.
#include "engine/BaseEnt.h"
#include "engine/CommonProps.h"
#include "engine/PropItem.h"
#include "engine/PropValue.h"

class GeomEnt : public BaseEnt {
public:
    GeomEnt() = default;
    GeomEnt(const GeomEnt&) = default;
    GeomEnt& operator=(const GeomEnt&) = default;
    virtual ~GeomEnt() = default;

    // The kind-specific values, in the order of the kind's catalog list, each named by the
    // item at the same position.
    virtual PropValueList GetProps(const PropItemList& lsKindItems) const = 0;
    // The common values, named by ls_comPropTags in its order.
    PropValueList GetCommonProps(const PropItemList& ls_comPropTags) const;

    CommonProps commonProps;
    bool hasThickness = true;
};
