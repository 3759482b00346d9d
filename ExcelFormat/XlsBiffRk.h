#pragma once
// RK values: a number packed in 30 bits, as an integer or as the top of an IEEE double,
// optionally divided by 100.
#include <cstdint>
#include <optional>

namespace XlsBiff {

// The RK form of a number when one represents it exactly, otherwise nothing.
std::optional<std::uint32_t> EncodeRk(double value);
double DecodeRk(std::uint32_t rk);

}  // namespace XlsBiff
