#pragma once
// Base of the records of kinds 2 to 9.
#include <cstddef>
#include <string>

#include "engine/BaseEnt.h"
#include "engine/CommonProps.h"
#include "engine/PropItem.h"
#include "engine/PropValue.h"

class GeomEnt : public BaseEnt {
public:
    GeomEnt() = default;
    GeomEnt(const GeomEnt&) = default;
    GeomEnt& operator=(const GeomEnt&) = default;
    GeomEnt(GeomEnt&&) = default;
    GeomEnt& operator=(GeomEnt&&) = default;

    virtual ~GeomEnt() = default;

    // The kind-specific values, in the order of the kind's catalog list, each named by the
    // item at the same position.
    PropValueList GetProps(const PropItemList& lsKindItems) const;
    // The same values without their names, for the table, which asks only for those it has
    // columns for: how many the kind has, and the text of the one at a position.
    virtual std::size_t ValueCount() const = 0;
    virtual std::u16string ValueText(std::size_t position) const = 0;

    // The common values, named by ls_comPropTags in its order.
    PropValueList GetCommonProps(const PropItemList& ls_comPropTags) const;
    // The same without names: "Thickness" (position 3) only where the kind shows it.
    static constexpr std::size_t kCommonValueCount = 8;
    bool HasCommonValue(std::size_t position) const { return position != 3 || hasThickness; }
    std::u16string CommonValueText(std::size_t position) const;
    // The same where the record holds the text whole (names and hyperlinks), else null: the
    // table copies it into a cell without making it first.
    const std::u16string* CommonValueHeld(std::size_t position) const;

    bool hasThickness = true;  // first: beside BaseEnt::type
    CommonProps commonProps;
};
