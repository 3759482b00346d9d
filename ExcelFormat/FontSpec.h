#pragma once
// A font as a cell style asks for it; the registry finds or adds the matching FONT record.
#include <cstdint>
#include <string>

struct FontSpec {
    std::u16string name = u"Arial";
    std::uint16_t height = 200;  // twentieths of a point
    std::uint16_t weight = 400;  // 700 is bold
    std::uint16_t options = 0;
    std::uint16_t colourIndex = 0x7FFF;  // automatic
    std::uint16_t escapement = 0;
    std::uint8_t underline = 0;
    std::uint8_t family = 0;
    std::uint8_t characterSet = 0;
};
