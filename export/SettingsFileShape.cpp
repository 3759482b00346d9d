#include "export/SettingsFileShape.h"

namespace {

// The parser takes '<' followed by a letter, '_' or any byte above 126 for an element.
bool StartsElementName(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 127;
}

// Index just past the first occurrence of csEnd at or after i, or the end of the text.
std::size_t SkipPast(std::string_view bytes, std::size_t i, std::string_view csEnd)
{
    const std::size_t at = bytes.find(csEnd, i);
    return at == std::string_view::npos ? bytes.size() : at + csEnd.size();
}

}  // namespace

SettingsShape CheckSettingsShape(std::string_view bytes)
{
    if (bytes.size() > kMaxSettingsFileBytes) return SettingsShape::TooLarge;
    std::size_t nDepth = 0;
    std::size_t i = 0;
    while ((i = bytes.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = bytes.substr(i);
        if (rest.starts_with("<!--")) {
            i = SkipPast(bytes, i + 4, "-->");
            continue;
        }
        if (rest.starts_with("<![CDATA[")) {
            i = SkipPast(bytes, i + 9, "]]>");
            continue;
        }
        if (rest.starts_with("</")) {
            if (nDepth > 0) --nDepth;
            i = SkipPast(bytes, i + 2, ">");
            continue;
        }
        const bool bElement = rest.size() > 1 && StartsElementName(static_cast<unsigned char>(rest[1]));
        // Through the tag to its '>'; in an element, quoted values are skipped (in anything
        // else the parser stops at the first '>') and every '=' may start an attribute.
        std::size_t nAttributes = 0;
        char cLast = 0;
        std::size_t k = i + 1;
        for (; k < bytes.size() && bytes[k] != '>'; ++k) {
            const char c = bytes[k];
            if (bElement && (c == '"' || c == '\'')) {
                const std::size_t close = bytes.find(c, k + 1);
                k = close == std::string_view::npos ? bytes.size() - 1 : close;
            } else if (c == '=' && bElement && ++nAttributes > kMaxSettingsAttributes) {
                return SettingsShape::TooManyAttributes;
            }
            cLast = bytes[k];
        }
        if (bElement && cLast != '/' && ++nDepth > kMaxSettingsDepth) return SettingsShape::TooDeep;
        i = k + 1;
    }
    return SettingsShape::Fits;
}
