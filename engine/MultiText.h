#pragma once
#include <string>

#include "engine/GeomEnt.h"
#include "kv/KvGePoint3d.h"

class MultiText : public GeomEnt {
public:
    std::size_t ValueCount() const override;
    std::u16string ValueText(std::size_t position) const override;

    KvGePoint3d location;
    std::u16string csContents;  // plain text, without formatting codes
    SharedText csStyle;         // the text style's name
    SharedText csJustify;
    SharedText csDirection;
    double definedWidth = 0.0;
    double textHeight = 0.0;
    double rotation = 0.0;  // radians
    bool backgroundMask = false;
    double lineSpacingFactor = 0.0;
    double lineSpacingDistance = 0.0;  // distance between base lines, drawing units
    SharedText csLineSpacingStyle;
};
