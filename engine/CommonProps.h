#pragma once
// Entity properties every kind but block references shows.
#include <string>
#include <vector>

struct CommonProps {
    std::u16string csLayer;
    std::u16string csColor;
    double lineTypeScale = 0.0;
    double thickness = 0.0;
    std::u16string csLineWeight;
    std::vector<std::u16string> lsHyperlink;  // hyperlink names, possibly none
    std::u16string csplotStyle;
    std::u16string csLineType;
};
