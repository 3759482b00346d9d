#pragma once
// How cell texts are read as numbers and how sums and counts become texts again.
#include <string>
#include <string_view>

// The leading decimal number of the text (white space skipped, optional sign, digits, optional
// point and fraction, optional exponent), 0 when the text does not start with one:
// "12.5 m" -> 12.5, "1,5" -> 1, "abc" and "" -> 0. Independent of the process locale.
double ReadNumberText(std::u16string_view csText);

// printf "%g" of the value: six significant digits, 1234567 -> "1.23457e+06".
std::u16string FormatNumberText(double value);

// printf "%d" of a count.
std::u16string FormatCountText(long long count);
