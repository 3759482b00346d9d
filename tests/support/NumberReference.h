#pragma once
// Numbers read and written through the C library, as the product's own locale-free code must
// read and write them in the "C" locale: the reference it is compared with.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>

namespace reference {

inline double ReadNumberUncached(const std::u16string& csText)
{
    std::string csNarrow;
    for (char16_t c : csText) csNarrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    static const std::regex number(R"(^[ \t\n\v\f\r]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    std::smatch match;
    if (!std::regex_search(csNarrow, match, number)) return 0.0;
    return std::strtod(match.str(0).c_str(), nullptr);
}

// The regular expression is slow and random tables repeat their few texts.
inline double ReadNumber(const std::u16string& csText)
{
    static std::map<std::u16string, double> cache;
    const auto it = cache.find(csText);
    return it != cache.end() ? it->second : cache[csText] = ReadNumberUncached(csText);
}

inline std::u16string FormatG(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

}  // namespace reference
