#pragma once
#include <string>

#include "engine/GeomEnt.h"
#include "kv/KvGePoint3d.h"

class MultiText : public GeomEnt {
public:
    PropValueList GetProps(const PropItemList& lsKindItems) const override;

    KvGePoint3d location;
    std::u16string csContents;  // plain text, without formatting codes
    std::u16string csStyle;     // the text style's name
    std::u16string csJustify;
    std::u16string csDirection;
    double definedWidth = 0.0;
    double textHeight = 0.0;
    double rotation = 0.0;  // radians
    bool backgroundMask = false;
    double lineSpacingFactor = 0.0;
    double lineSpacingDistance = 0.0;  // distance between base lines, drawing units
    std::u16string csLineSpacingStyle;
};
