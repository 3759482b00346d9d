#include "kvrender/RenderColor.h"

#include <array>

namespace {

// Indexes 10..249 run through 24 hues 15 degrees apart; in each hue, five values from
// bright to dark, each once saturated and once at half saturation.
std::uint32_t hueColor(int index)
{
    static constexpr int kValues[5] = {255, 165, 127, 76, 38};
    const int hue = (index - 10) / 10 * 15;  // degrees
    const int step = index % 10;
    const double v = kValues[step / 2];
    const double low = step % 2 ? v / 2 : 0.0;  // the smallest channel
    const double span = v - low;
    const int sector = hue / 60;
    const double f = (hue % 60) / 60.0;
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = v, g = low + span * f, b = low; break;
    case 1: r = low + span * (1 - f), g = v, b = low; break;
    case 2: r = low, g = v, b = low + span * f; break;
    case 3: r = low, g = low + span * (1 - f), b = v; break;
    case 4: r = low + span * f, g = low, b = v; break;
    default: r = v, g = low, b = low + span * (1 - f); break;
    }
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

std::array<std::uint32_t, 256> makePalette()
{
    std::array<std::uint32_t, 256> palette{};
    const std::uint32_t first[10] = {0xFFFFFF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                     0x0000FF, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
    for (int i = 0; i < 10; ++i) palette[i] = first[i];
    for (int i = 10; i < 250; ++i) palette[i] = hueColor(i);
    const std::uint32_t greys[6] = {0x333333, 0x505050, 0x696969, 0x828282, 0xBEBEBE, 0xFFFFFF};
    for (int i = 0; i < 6; ++i) palette[250 + i] = greys[i];
    return palette;
}

}  // namespace

std::uint32_t RenderAciColor(int index)
{
    static const std::array<std::uint32_t, 256> palette = makePalette();
    if (index < 1 || index > 255) return palette[7];
    return palette[static_cast<std::size_t>(index)];
}
