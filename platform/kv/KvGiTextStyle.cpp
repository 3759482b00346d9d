#include "kv/KvGiTextStyle.h"

#include <algorithm>
#include <array>

#include "kv/KvDbDatabase.h"
#include "kv/KvDbBlockTableRecord.h"

namespace {

// Advance widths of the drawing's default proportional font for ASCII 32..126, in
// thousandths of the text size. They are the widths of Helvetica as Adobe publishes
// them in the font's metrics (AFM) file, typed in here; measuring with a fixed table
// keeps column widths the same on every machine.
constexpr std::array<short, 95> kAsciiWidths = {
    278, 278, 355, 556, 556, 889, 667,  191, 333, 333, 389, 584, 278, 333, 278, 278,  //  !"#$%&'()*+,-./
    556, 556, 556, 556, 556, 556, 556,  556, 556, 556,                                // 0-9
    278, 278, 584, 584, 584, 556, 1015,                                               // :;<=>?@
    667, 667, 722, 722, 667, 611, 778,  722, 278, 500, 667, 556, 833,                 // A-M
    722, 778, 667, 778, 722, 667, 611,  722, 667, 944, 667, 667, 611,                 // N-Z
    278, 278, 278, 469, 556, 333,                                                     // [\]^_`
    556, 556, 500, 556, 556, 278, 556,  556, 222, 222, 500, 222, 833,                 // a-m
    556, 556, 556, 556, 333, 500, 278,  556, 500, 722, 500, 500, 500,                 // n-z
    334, 260, 334, 584};                                                              // {|}~
// Every other character: the width of a digit, the font's typical advance.
constexpr short kDefaultWidth = 556;

short advanceOf(char16_t c)
{
    if (c >= 32 && c <= 126) return kAsciiWidths[static_cast<std::size_t>(c - 32)];
    if (c == u'\u00A0') return kAsciiWidths[0];  // no-break space
    return kDefaultWidth;
}

}  // namespace

// The widest line of the text: line feeds start a new line. Unless raw, the %% codes
// count as the one character they stand for (%%d degree, %%p plus-minus, %%c diameter,
// %%% percent) or as nothing (%%u, %%o underline and overline toggles). Without pen-ups
// trailing spaces do not count.
KvGePoint2d KvGiTextStyle::extents(const char16_t* text, bool penups, int length, bool raw) const
{
    if (text == nullptr) return {0.0, m_size};
    std::size_t n = 0;
    while (text[n] != 0 && (length < 0 || n < static_cast<std::size_t>(length))) ++n;
    long widest = 0, line = 0, trailingSpaces = 0;
    auto endLine = [&] {
        widest = std::max(widest, penups ? line : line - trailingSpaces);
        line = trailingSpaces = 0;
    };
    for (std::size_t i = 0; i < n; ++i) {
        char16_t c = text[i];
        if (c == u'\n') {
            endLine();
            continue;
        }
        if (!raw && c == u'%' && i + 2 < n && text[i + 1] == u'%') {
            const char16_t code = static_cast<char16_t>(text[i + 2] | 0x20);
            if (code == u'u' || code == u'o') {
                i += 2;
                continue;
            }
            if (code == u'd' || code == u'p' || code == u'c' || text[i + 2] == u'%') {
                c = text[i + 2] == u'%' ? u'%' : u'\u00B0';
                i += 2;
            }
        }
        const short w = advanceOf(c);
        line += w;
        trailingSpaces = (c == u' ') ? trailingSpaces + w : 0;
    }
    endLine();
    return {static_cast<double>(widest) / 1000.0 * m_size * m_xScale, m_size};
}

Kvmo::ErrorStatus fromKvDbTextStyle(KvGiTextStyle& style, const KvDbObjectId& textStyleId)
{
    if (textStyleId.isNull()) return Kvmo::eNullObjectId;
    const KvDbDatabase* pDb = textStyleId.database();
    const auto* pRecord = pDb ? kvCast<KvDbTextStyleTableRecord>(pDb->objectAt(textStyleId)) : nullptr;
    if (pRecord == nullptr) return Kvmo::eWrongObjectType;
    if (pRecord->isErased()) return Kvmo::eWasErased;
    // A style without a fixed height leaves the size to the caller.
    if (pRecord->textSize > 0.0) style.setTextSize(pRecord->textSize);
    style.setXScale(pRecord->xScale > 0.0 ? pRecord->xScale : 1.0);
    return Kvmo::eOk;
}
