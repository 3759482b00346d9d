#pragma once
// One property value of one object, as produced for the table.
#include <string>
#include <vector>

#include "engine/SharedText.h"

struct PropValue {
    SharedText name;         // display name: a catalog item's, an attribute tag or a dynamic-property name
    std::u16string value;    // value text
    bool totalComp = false;  // meaningful for attribute and dynamic-property values only

    bool operator==(const PropValue&) const = default;
};

using PropValueList = std::vector<PropValue>;
