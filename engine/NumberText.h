#pragma once
// Numbers and their texts: rounding to the drawing's linear precision, "%g" and "%d" texts,
// and reading the number a text starts with. Independent of the process locale.
#include <cmath>
#include <string>
#include <string_view>

#include "kv/KvGePoint3d.h"
#include "kv/KvGeScale3d.h"

// 10^-n for n = 0..7, 1e-8 for every other n.
double StepFromPrecision(int n);
// Half up to the nearest multiple of the step (towards +infinity at exact halves).
// A step that is not positive (an engine never built from a drawing) leaves x as it is.
// Inline: the readers round every value of hundreds of thousands of objects.
inline double RoundToStep(double step, double x)
{
    if (!(step > 0.0)) return x;
    return std::floor(x / step + 0.5) * step;
}
inline KvGePoint3d RoundToStep(double step, const KvGePoint3d& point)
{
    return {RoundToStep(step, point.x), RoundToStep(step, point.y), RoundToStep(step, point.z)};
}
inline KvGeScale3d RoundToStep(double step, const KvGeScale3d& scale)
{
    return {RoundToStep(step, scale.sx), RoundToStep(step, scale.sy), RoundToStep(step, scale.sz)};
}

// printf "%g": six significant digits, trailing zeros dropped, 1234567 -> "1.23457e+06".
std::u16string FormatNumber(double x);
// printf "%d" of a count.
std::u16string FormatCountText(long long count);

// The leading decimal number of the text (white space skipped, optional sign, digits, optional
// point and fraction, optional exponent), 0 when the text does not start with one:
// "12.5 m" -> 12.5, "1,5" -> 1, "abc" and "" -> 0. Out-of-range values saturate as strtod's do.
double ReadNumberText(std::u16string_view csText);
// The leading decimal number of the text (0 when none), rounded and written with "%g".
std::u16string RoundNumericText(double step, const std::u16string& text);
// The same, on the text itself: a text already as rounding writes it is left as it is.
void RoundNumericTextInPlace(double step, std::u16string& text);
// Optional sign, digits, optional fraction with digits, optional exponent; nothing else.
bool IsNumericText(const std::u16string& text);
