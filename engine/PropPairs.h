#pragma once
// Pairs a record's value texts with the names of its catalog list, position by position.
#include <initializer_list>
#include <string>

#include "engine/PropItem.h"
#include "engine/PropValue.h"

// A list shorter than the values names only the first ones; the rest are left out.
inline PropValueList PairWithNames(const PropItemList& lsItems, std::initializer_list<std::u16string> values)
{
    PropValueList pairs;
    pairs.reserve(values.size());
    std::size_t i = 0;
    for (const std::u16string& value : values) {
        if (i >= lsItems.size()) break;
        pairs.push_back(PropValue{lsItems[i].name, value, false});
        ++i;
    }
    return pairs;
}
