#include "engine/GeomEnt.h"

#include "engine/NumberText.h"
#include "engine/PropPairs.h"

PropValueList GeomEnt::GetCommonProps(const PropItemList& ls_comPropTags) const
{
    PropValueList pairs;
    pairs.reserve(kCommonValueCount);
    for (std::size_t position = 0; position < kCommonValueCount && position < ls_comPropTags.size(); ++position)
        if (HasCommonValue(position))
            pairs.push_back(PropValue{ls_comPropTags[position].name, CommonValueText(position), false});
    return pairs;
}

const std::u16string* GeomEnt::CommonValueHeld(std::size_t position) const
{
    static const std::u16string kNone;
    switch (position) {
    case 0: return &commonProps.csLayer.str();
    case 1: return &commonProps.csColor.str();
    case 4: return &commonProps.csLineWeight.str();
    case 5: return commonProps.lsHyperlink.empty() ? &kNone : &commonProps.lsHyperlink.front();
    case 6: return &commonProps.csplotStyle.str();
    case 7: return &commonProps.csLineType.str();
    default: return nullptr;
    }
}

std::u16string GeomEnt::CommonValueText(std::size_t position) const
{
    if (const std::u16string* pHeld = CommonValueHeld(position)) return *pHeld;
    switch (position) {
    case 2: return FormatNumber(commonProps.lineTypeScale);
    case 3: return FormatNumber(commonProps.thickness);
    default: return {};
    }
}

PropValueList GeomEnt::GetProps(const PropItemList& lsKindItems) const
{
    return PairWithNames(lsKindItems, ValueCount(), [this](std::size_t i) { return ValueText(i); });
}
