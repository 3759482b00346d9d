#pragma once
#include <array>
#include <cstddef>
// How a group code's value is typed (the same in ASCII and binary files).

enum class DxfValueKind : unsigned char { kText, kHandle, kReal, kInt16, kInt32, kInt64, kBool, kBinary, kUnknown };

constexpr DxfValueKind dxfValueKindOf(int code)
{
    if (code < 0) return DxfValueKind::kUnknown;
    if (code <= 4 || (code >= 6 && code <= 9)) return DxfValueKind::kText;
    if (code == 5) return DxfValueKind::kHandle;
    if (code < 60) return DxfValueKind::kReal;   // 10-59
    if (code < 80) return DxfValueKind::kInt16;  // 60-79
    if (code < 90) return DxfValueKind::kUnknown;
    if (code < 100) return DxfValueKind::kInt32;  // 90-99
    if (code == 100 || code == 101 || code == 102) return DxfValueKind::kText;
    if (code == 105) return DxfValueKind::kHandle;
    if (code >= 110 && code < 150) return DxfValueKind::kReal;
    if (code >= 160 && code < 170) return DxfValueKind::kInt64;
    if (code >= 170 && code < 180) return DxfValueKind::kInt16;
    if (code >= 210 && code < 240) return DxfValueKind::kReal;
    if (code >= 270 && code < 290) return DxfValueKind::kInt16;
    if (code >= 290 && code < 300) return DxfValueKind::kBool;
    if (code >= 300 && code < 310) return DxfValueKind::kText;
    if (code >= 310 && code < 320) return DxfValueKind::kBinary;
    if (code >= 320 && code < 370) return DxfValueKind::kHandle;
    if (code >= 370 && code < 390) return DxfValueKind::kInt16;
    if (code >= 390 && code < 400) return DxfValueKind::kHandle;
    if (code >= 400 && code < 410) return DxfValueKind::kInt16;
    if (code >= 410 && code < 420) return DxfValueKind::kText;
    if (code >= 420 && code < 430) return DxfValueKind::kInt32;
    if (code >= 430 && code < 440) return DxfValueKind::kText;
    if (code >= 440 && code < 460) return DxfValueKind::kInt32;
    if (code >= 460 && code < 470) return DxfValueKind::kReal;
    if (code >= 470 && code < 480) return DxfValueKind::kText;
    if (code == 480 || code == 481) return DxfValueKind::kHandle;
    if (code == 999) return DxfValueKind::kText;
    if (code == 1004) return DxfValueKind::kBinary;
    if (code == 1005) return DxfValueKind::kHandle;
    if (code >= 1000 && code < 1010) return DxfValueKind::kText;
    if (code >= 1010 && code < 1060) return DxfValueKind::kReal;
    if (code >= 1060 && code < 1071) return DxfValueKind::kInt16;
    if (code == 1071) return DxfValueKind::kInt32;
    return DxfValueKind::kUnknown;
}

// The kinds of the codes files use, as a table: the kind of every tag read is asked.
inline constexpr std::array<DxfValueKind, 1072> kDxfValueKinds = [] {
    std::array<DxfValueKind, 1072> kinds{};
    for (int code = 0; code < 1072; ++code) kinds[static_cast<std::size_t>(code)] = dxfValueKindOf(code);
    return kinds;
}();

constexpr DxfValueKind dxfValueKind(int code)
{
    return code >= 0 && code < 1072 ? kDxfValueKinds[static_cast<std::size_t>(code)] : dxfValueKindOf(code);
}

constexpr bool dxfIsNumeric(DxfValueKind k)
{
    return k == DxfValueKind::kReal || k == DxfValueKind::kInt16 || k == DxfValueKind::kInt32 ||
           k == DxfValueKind::kInt64 || k == DxfValueKind::kBool;
}
