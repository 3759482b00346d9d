#pragma once
// A look at a settings file's bytes before the XML parser sees them. The parser recurses
// once per nesting level and compares every attribute of an element with all those before
// it, so a damaged or hostile file could exhaust the stack or take minutes; a settings file
// is a few kilobytes, two levels deep, with two attributes an element.
#include <cstddef>
#include <string_view>

inline constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;
inline constexpr std::size_t kMaxSettingsDepth = 32;
inline constexpr std::size_t kMaxSettingsAttributes = 32;

enum class SettingsShape { Fits, TooLarge, TooDeep, TooManyAttributes };

// Counts start tags the way the parser nests them (comments, CDATA sections, declarations
// and quoted values skipped); a count errs on the high side, never the low.
SettingsShape CheckSettingsShape(std::string_view bytes);
