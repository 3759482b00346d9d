#pragma once
// State the wizard pages hand to one another by copy.
#include <cstdint>
#include <list>
#include <set>
#include <string>

#include "engine/ExtractionEngine.h"
#include "table/TableData.h"

// Rows of a page's list with their check state in cell 0 ("1" or "0"), texts after it.
using PageTable = TableData;
// Object kind numbers present in the selection, ascending.
using KindSet = std::set<std::uint32_t>;
// Property names read from settings files, in file order.
using SettingsProps = std::list<std::u16string>;

inline constexpr const char16_t* kRowChecked = u"1";
inline constexpr const char16_t* kRowUnchecked = u"0";

// The table options of the property page, kept when the user goes back from the output page.
struct TableOptions {
    bool bDisplayTotals = true;
    bool bQtyColumn = true;
    bool bNamesColumn = true;
    bool bCombineRows = false;
    std::int32_t iCombineIndex = -1;  // drop-down entry chosen to combine by; -1 when never chosen
};

// What the property and output pages hand to one another, both ways: the engine, the kinds
// present, the properties offered, the property page's tables and its options.
struct PropertyPagesState {
    ExtractionEngine extEngine;
    KindSet seKinds;
    PropItemSet seHeaders;
    PageTable vePropRows;      // header, then ("1"/"0", category, name, display name, total flag)
    PageTable veCategoryRows;  // no header: ("1"/"0", category name)
    TableOptions options;
};

// A page hands its state on whole: the next page owns its copies.
inline void HandOn(const PropertyPagesState& from, PropertyPagesState& to)
{
    to = from;
}
