#pragma once
// A property offered for extraction.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct PropItem {
    std::u16string name;         // display name, doubling as column header
    std::uint32_t category = 0;  // PropCategory number
    bool totalComp = false;      // the value is a number the totals line may sum
};

// Items are ordered and told apart by name alone (ordinal, case-sensitive), so a set
// holds one item per name and the one inserted first stays.
struct PropItemNameLess {
    using is_transparent = void;
    bool operator()(const PropItem& a, const PropItem& b) const { return a.name < b.name; }
    bool operator()(const PropItem& a, std::u16string_view b) const { return a.name < b; }
    bool operator()(std::u16string_view a, const PropItem& b) const { return a < b.name; }
};

using PropItemList = std::vector<PropItem>;
using PropItemSet = std::set<PropItem, PropItemNameLess>;
