#include "kvrender/SceneTextLayout.h"

namespace {

double widthOf(const KvGiTextStyle& measure, const std::u16string& text)
{
    return measure.extents(text.c_str(), false, -1, false).x;
}

// Greedy: as many words on a line as fit; a word wider than the line stands alone.
void wrapParagraph(const std::u16string& paragraph, const KvGiTextStyle& measure, double wrapWidth,
                   std::vector<SceneTextLine>& lines)
{
    const double whole = widthOf(measure, paragraph);
    if (wrapWidth <= 0.0 || whole <= wrapWidth) {
        lines.push_back({paragraph, whole});
        return;
    }
    std::u16string line;
    std::size_t i = 0;
    while (i < paragraph.size()) {
        std::size_t end = paragraph.find(u' ', i);
        if (end == std::u16string::npos) end = paragraph.size();
        const std::u16string word = paragraph.substr(i, end - i);
        const std::u16string candidate = line.empty() ? word : line + u" " + word;
        if (!line.empty() && widthOf(measure, candidate) > wrapWidth) {
            lines.push_back({line, widthOf(measure, line)});
            line = word;
        } else {
            line = candidate;
        }
        i = end + 1;
    }
    lines.push_back({line, widthOf(measure, line)});
}

}  // namespace

std::vector<SceneTextLine> LayoutTextLines(const std::u16string& text, const KvGiTextStyle& measure, double wrapWidth)
{
    std::vector<SceneTextLine> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        wrapParagraph(text.substr(start, end - start), measure, wrapWidth, lines);
        start = end + 1;
    }
    return lines;
}
