#pragma once
// Names the host matches without regard to case (symbol-table records, applications,
// variables, commands, code pages): ASCII letters only, whatever the user's locale.
#include <string>
#include <string_view>

constexpr char16_t kvAsciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

constexpr char kvAsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::u16string kvAsciiUpper(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) c = kvAsciiUpper(c);
    return out;
}

inline std::string kvAsciiUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = kvAsciiUpper(c);
    return out;
}

inline bool kvAsciiEqualNoCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (kvAsciiUpper(a[i]) != kvAsciiUpper(b[i])) return false;
    return true;
}
