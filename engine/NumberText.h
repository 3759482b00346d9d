#pragma once
// Rounding to the drawing's linear precision and the texts of numbers.
#include <string>

#include "kv/KvGePoint3d.h"
#include "kv/KvGeScale3d.h"

// 10^-n for n = 0..7, 1e-8 for every other n.
double StepFromPrecision(int n);
// Half up to the nearest multiple of the step (towards +infinity at exact halves).
// A step that is not positive (an engine never built from a drawing) leaves x as it is.
double RoundToStep(double step, double x);
KvGePoint3d RoundToStep(double step, const KvGePoint3d& point);
KvGeScale3d RoundToStep(double step, const KvGeScale3d& scale);

// printf "%g": six significant digits, trailing zeros dropped.
std::u16string FormatNumber(double x);
// The leading decimal number of the text (0 when none), rounded and written with "%g".
std::u16string RoundNumericText(double step, const std::u16string& text);
// Optional sign, digits, optional fraction with digits, optional exponent; nothing else.
bool IsNumericText(const std::u16string& text);
