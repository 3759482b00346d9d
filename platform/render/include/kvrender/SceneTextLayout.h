#pragma once
// Multiline text laid out in lines: paragraphs split at line feeds and wrapped at spaces to
// a width, measured with the host's text metrics (the widths tables and columns are fitted to).
#include <string>
#include <vector>

#include "kv/KvGiTextStyle.h"

struct SceneTextLine {
    std::u16string text;
    double advance = 0.0;  // measured width
};

// wrapWidth 0: no wrapping.
std::vector<SceneTextLine> LayoutTextLines(const std::u16string& text, const KvGiTextStyle& measure, double wrapWidth);
