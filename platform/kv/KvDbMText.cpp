#include "kv/KvDbMText.h"

Kvmo::ErrorStatus KvDbMText::setLocation(const KvGePoint3d& p)
{
    return assignIfWritable(m_location, p);
}
Kvmo::ErrorStatus KvDbMText::setContents(std::u16string text)
{
    return assignIfWritable(m_contents, std::move(text));
}
Kvmo::ErrorStatus KvDbMText::setTextStyle(KvDbObjectId id)
{
    return assignIfWritable(m_textStyle, id);
}
Kvmo::ErrorStatus KvDbMText::setAttachment(int attachment)
{
    if (attachment < kTopLeft || attachment > kTopMid) return Kvmo::eOutOfRange;
    return assignIfWritable(m_attachment, attachment);
}
Kvmo::ErrorStatus KvDbMText::setFlowDirection(int direction)
{
    if (direction < kLtoR || direction > kByStyle) return Kvmo::eOutOfRange;
    return assignIfWritable(m_flowDirection, direction);
}
Kvmo::ErrorStatus KvDbMText::setWidth(double w)
{
    if (w < 0.0) return Kvmo::eOutOfRange;
    return assignIfWritable(m_width, w);
}
Kvmo::ErrorStatus KvDbMText::setTextHeight(double h)
{
    if (!(h > 0.0)) return Kvmo::eOutOfRange;
    return assignIfWritable(m_textHeight, h);
}
Kvmo::ErrorStatus KvDbMText::setRotation(double radians)
{
    return assignIfWritable(m_rotation, radians);
}
Kvmo::ErrorStatus KvDbMText::setDirection(const KvGeVector3d& d)
{
    if (d.length() == 0.0) return Kvmo::eInvalidInput;
    return assignIfWritable(m_direction, d.normal());
}
Kvmo::ErrorStatus KvDbMText::setNormal(const KvGeVector3d& n)
{
    return setPlanarNormal(n);
}
Kvmo::ErrorStatus KvDbMText::setBackgroundFill(bool on)
{
    return assignIfWritable(m_backgroundFill, on);
}
Kvmo::ErrorStatus KvDbMText::setLineSpacingFactor(double f)
{
    if (f < 0.25 || f > 4.0) return Kvmo::eOutOfRange;
    return assignIfWritable(m_lineSpacingFactor, f);
}
Kvmo::ErrorStatus KvDbMText::setLineSpacingStyle(int style)
{
    if (style != kAtLeast && style != kExactly) return Kvmo::eOutOfRange;
    return assignIfWritable(m_lineSpacingStyle, style);
}

double KvDbMText::lineSpacingDistance() const
{
    return m_textHeight * 5.0 / 3.0 * m_lineSpacingFactor;
}

namespace {

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// Index just after the ';' that ends a formatting code's argument (or the end).
std::size_t skipArgument(const std::u16string& s, std::size_t i)
{
    const std::size_t semicolon = s.find(u';', i);
    return semicolon == std::u16string::npos ? s.size() : semicolon + 1;
}

}  // namespace

std::u16string KvDbMText::text() const
{
    const std::u16string& s = m_contents;
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const char16_t c = s[i];
        if (c == u'{' || c == u'}') {
            ++i;  // grouping only
            continue;
        }
        if (c == u'%' && i + 2 < s.size() && s[i + 1] == u'%') {
            const char16_t code = static_cast<char16_t>(s[i + 2] | 0x20);
            const char16_t special = code == u'd'       ? u'\u00B0'
                                     : code == u'p'     ? u'\u00B1'
                                     : code == u'c'     ? u'\u2300'
                                     : s[i + 2] == u'%' ? u'%'
                                                        : 0;
            if (special) {
                out += special;
                i += 3;
                continue;
            }
        }
        if (c != u'\\' || i + 1 >= s.size()) {
            out += c;
            ++i;
            continue;
        }
        const char16_t code = s[i + 1];
        i += 2;
        switch (code) {
        case u'P':
        case u'N':  // paragraph and column breaks
            out += u'\n';
            break;
        case u'~': out += u' '; break;
        case u'\\':
        case u'{':
        case u'}': out += code; break;
        case u'L':
        case u'l':
        case u'O':
        case u'o':
        case u'K':
        case u'k':
        case u'X': break;  // underline, overline, strike-through toggles
        case u'f':
        case u'F':
        case u'H':
        case u'h':
        case u'C':
        case u'c':
        case u'A':
        case u'a':
        case u'Q':
        case u'q':
        case u'T':
        case u't':
        case u'W':
        case u'w':
        case u'p':
            i = skipArgument(s, i);  // font, height, colour, alignment, oblique, tracking, width, paragraph
            break;
        case u'S': {
            // Stacked text "a^b", "a/b" or "a#b" reads as its two parts around the separator.
            const std::size_t end = skipArgument(s, i);
            std::u16string stack = s.substr(i, end - i);
            if (!stack.empty() && stack.back() == u';') stack.pop_back();
            for (char16_t& ch : stack)
                if (ch == u'#') ch = u'/';
            out += stack;
            i = end;
            break;
        }
        case u'U':
            if (i + 4 < s.size() && s[i] == u'+') {
                int value = 0;
                bool bValid = true;
                for (std::size_t k = 1; k <= 4; ++k) {
                    const int h = hexValue(s[i + k]);
                    bValid = bValid && h >= 0;
                    value = value * 16 + h;
                }
                if (bValid) {
                    out += static_cast<char16_t>(value);
                    i += 5;
                    break;
                }
            }
            out += code;
            break;
        case u'M':
            if (i + 5 < s.size() && s[i] == u'+')
                i += 6;  // double-byte character of a big font: not representable here
            break;
        default: out += code; break;
        }
    }
    return out;
}
