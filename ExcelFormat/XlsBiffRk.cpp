#include "ExcelFormat/XlsBiffRk.h"

#include <cmath>
#include <cstring>

namespace XlsBiff {

namespace {

constexpr std::uint32_t kDividedBy100 = 0x1;
constexpr std::uint32_t kInteger = 0x2;
constexpr std::int64_t kIntMin = -(std::int64_t{1} << 29);
constexpr std::int64_t kIntMax = (std::int64_t{1} << 29) - 1;

std::optional<std::uint32_t> EncodeUnscaled(double value)
{
    if (value >= static_cast<double>(kIntMin) && value <= static_cast<double>(kIntMax) && value == std::floor(value))
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(value) * 4) | kInteger;
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if ((bits & 0x3FFFFFFFFull) == 0) return static_cast<std::uint32_t>(bits >> 32);
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> EncodeRk(double value)
{
    if (!std::isfinite(value)) return std::nullopt;
    // Each candidate is checked by decoding it: only an exact round trip is an RK value.
    if (auto rk = EncodeUnscaled(value); rk && DecodeRk(*rk) == value) return rk;
    const double scaled = value * 100.0;
    if (auto rk = EncodeUnscaled(scaled); rk && DecodeRk(*rk | kDividedBy100) == value) return *rk | kDividedBy100;
    return std::nullopt;
}

double DecodeRk(std::uint32_t rk)
{
    double value;
    if (rk & kInteger) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & kDividedBy100) ? value / 100.0 : value;
}

}  // namespace XlsBiff
