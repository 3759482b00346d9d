#pragma once
// Colours as drawings store them (colour index, true colour) and as pictures show them
// (0xRRGGBB).
#include <cstdint>

// The 256-colour index palette of CAD programs; 0 (ByBlock) and 256 (ByLayer) are not
// colours and give index 7's white.
std::uint32_t RenderAciColor(int index);

// An entity's true colour as stored on it: kRenderNoTrueColor when it has none.
constexpr std::uint32_t kRenderNoTrueColor = 0xFFFFFFFFu;

constexpr std::uint32_t kRenderBackground = 0x1E2329;  // the view's and the pictures' background
constexpr std::uint32_t kRenderHighlight = 0x3DA5FF;   // picked and selected entities
