#pragma once
// Pairs a record's value texts with the names of its catalog list, position by position.
#include <cstddef>
#include <string>

#include "engine/PropItem.h"
#include "engine/PropValue.h"

// valueText(i) gives the text of value i of nValues; a list shorter than the values names
// only the first ones and the rest are left out.
template <class ValueText>
PropValueList PairWithNames(const PropItemList& lsItems, std::size_t nValues, ValueText valueText)
{
    PropValueList pairs;
    const std::size_t n = nValues < lsItems.size() ? nValues : lsItems.size();
    pairs.reserve(n);
    for (std::size_t i = 0; i < n; ++i) pairs.push_back(PropValue{lsItems[i].name, valueText(i), false});
    return pairs;
}
