#pragma once
// Wide text is UTF-16 everywhere; conversions to UTF-8 happen at the edges only.
#include <string>
#include <string_view>

using KvString = std::u16string;

std::string kvToUtf8(std::u16string_view text);
std::u16string kvFromUtf8(std::string_view text);
// Windows-1252 ("ANSI") conversions; characters outside the code page become '?'.
std::string kvToCp1252(std::u16string_view text, bool* pLossy = nullptr);
std::u16string kvFromCp1252(std::string_view bytes);
