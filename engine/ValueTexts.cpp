#include "engine/ValueTexts.h"

#include <string>

#include "host/ResString.h"

namespace {

bool EqualsIgnoringAsciiCase(const std::u16string& text, std::u16string_view other)
{
    if (text.size() != other.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto lower = [](char16_t ch) { return (ch >= u'A' && ch <= u'Z') ? char16_t(ch - u'A' + u'a') : ch; };
        if (lower(text[i]) != lower(other[i])) return false;
    }
    return true;
}

}  // namespace

std::u16string ColorText(std::uint16_t index)
{
    if (index == 256) return LoadResString(190);
    if (index == 0) return LoadResString(191);
    const std::string digits = std::to_string(index);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string LocalizeByLayerByBlock(const std::u16string& text)
{
    if (EqualsIgnoringAsciiCase(text, u"ByLayer")) return LoadResString(190);
    if (EqualsIgnoringAsciiCase(text, u"ByBlock")) return LoadResString(191);
    return text;
}

std::u16string AttachmentText(int value)
{
    if (value >= 1 && value <= 13) return LoadResString(267 + static_cast<unsigned int>(value));
    if (value == 17) return LoadResString(281);
    if (value == 21) return LoadResString(282);
    return {};
}

std::u16string FlowDirectionText(int value)
{
    switch (value) {
    case 1:
    case 2: return LoadResString(283);
    case 3:
    case 4: return LoadResString(284);
    case 5: return LoadResString(285);
    default: return {};
    }
}

std::u16string LineSpacingStyleText(int value)
{
    switch (value) {
    case 1: return LoadResString(287);
    case 2: return LoadResString(288);
    default: return {};
    }
}
