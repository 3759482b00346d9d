#include "engine/GeomEnt.h"

#include "engine/NumberText.h"

PropValueList GeomEnt::GetCommonProps(const PropItemList& ls_comPropTags) const
{
    PropValueList pairs;
    auto add = [&](std::size_t position, std::u16string value) {
        if (position < ls_comPropTags.size())
            pairs.push_back(PropValue{ls_comPropTags[position].name, std::move(value), false});
    };
    add(0, commonProps.csLayer);
    add(1, commonProps.csColor);
    add(2, FormatNumber(commonProps.lineTypeScale));
    if (hasThickness) add(3, FormatNumber(commonProps.thickness));
    add(4, commonProps.csLineWeight);
    add(5, commonProps.lsHyperlink.empty() ? std::u16string() : commonProps.lsHyperlink.front());
    add(6, commonProps.csplotStyle);
    add(7, commonProps.csLineType);
    return pairs;
}
