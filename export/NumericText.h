#pragma once
// The numeric-text test the file outputs share with the readers: optional sign, digits,
// optional fraction with at least one digit, optional exponent; nothing else.
#include <string_view>

namespace ExportText {

inline bool IsNumericText(std::u16string_view csText)
{
    auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    std::size_t i = 0;
    const std::size_t n = csText.size();
    auto skipDigits = [&]() {
        const std::size_t start = i;
        while (i < n && isDigit(csText[i])) ++i;
        return i > start;
    };
    if (i < n && (csText[i] == u'+' || csText[i] == u'-')) ++i;
    if (!skipDigits()) return false;
    if (i < n && csText[i] == u'.') {
        ++i;
        if (!skipDigits()) return false;
    }
    if (i < n && (csText[i] == u'e' || csText[i] == u'E')) {
        ++i;
        if (i < n && (csText[i] == u'+' || csText[i] == u'-')) ++i;
        if (!skipDigits()) return false;
    }
    return i == n;
}

}  // namespace ExportText
