#pragma once
#include "kv/KvDbObjectId.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvStatus.h"

// Text measurement for a style: widths from the metrics table of the drawing's default
// proportional font, scaled by the text size and the style's width factor.
class KvGiTextStyle {
public:
    void setTextSize(double size) { m_size = size; }
    double textSize() const { return m_size; }
    void setXScale(double scale) { m_xScale = scale; }
    double xScale() const { return m_xScale; }
    // Extents box of the text: x the advance width, y the text size. A negative length
    // measures up to the terminator.
    KvGePoint2d extents(const char16_t* text, bool penups, int length, bool raw) const;

private:
    double m_size = 1.0;
    double m_xScale = 1.0;
};

Kvmo::ErrorStatus fromKvDbTextStyle(KvGiTextStyle& style, const KvDbObjectId& textStyleId);
