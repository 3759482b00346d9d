#pragma once
// The properties offered for a choice of object kinds.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/PropItem.h"
#include "engine/PropertyCatalog.h"

struct OfferedProperties {
    PropItemSet seHeaders;                 // ordered by name, first inserted wins
    std::set<std::uint32_t> seCategories;  // category numbers present
};

// lsObjectsSel holds kind names as lsObjNames gives them; the order matters where kinds
// share a property name or where "3D Solid" and "MText" drop "Thickness".
OfferedProperties SelectObjectTypes(const PropertyCatalog& catalog, const std::vector<std::u16string>& lsObjectsSel,
                                    const PropItemSet& blockPropItems);
