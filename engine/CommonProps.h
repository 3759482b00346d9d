#pragma once
// Entity properties every kind but block references shows. Names and the texts made of
// small numbers repeat across a drawing: they are shared.
#include <string>
#include <vector>

#include "engine/SharedText.h"

struct CommonProps {
    SharedText csLayer;
    SharedText csColor;
    double lineTypeScale = 0.0;
    double thickness = 0.0;
    SharedText csLineWeight;
    std::vector<std::u16string> lsHyperlink;  // hyperlink names, possibly none
    SharedText csplotStyle;
    SharedText csLineType;
};
