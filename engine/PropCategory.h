#pragma once
// Categories that group the offered properties.
#include <cstdint>
#include <string>

namespace PropCategory {
constexpr std::uint32_t General = 1;
constexpr std::uint32_t Geometry = 2;
constexpr std::uint32_t Misc = 3;
constexpr std::uint32_t Attribute = 4;
constexpr std::uint32_t DynamicBlock = 5;
constexpr std::uint32_t Text = 6;

// Localised name of a category; empty for a number that is no category.
std::u16string Name(std::uint32_t category);
}  // namespace PropCategory
