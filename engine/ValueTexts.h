#pragma once
// Localised texts of entity property values.
#include <cstdint>
#include <string>

// 256 "ByLayer", 0 "ByBlock", any other index its decimal digits.
std::u16string ColorText(std::uint16_t index);
// "ByLayer" / "ByBlock" in any case become the localised texts; other names stay.
std::u16string LocalizeByLayerByBlock(const std::u16string& text);
// MText attachment, flow direction and line-spacing style; empty for other values.
std::u16string AttachmentText(int value);
std::u16string FlowDirectionText(int value);
std::u16string LineSpacingStyleText(int value);
