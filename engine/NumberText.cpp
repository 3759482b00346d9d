#include "engine/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>

namespace {

bool IsAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The white space the C library skips before a number.
bool IsCSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

std::u16string Widen(const char* pBegin, const char* pEnd)
{
    return std::u16string(pBegin, pEnd);
}

}  // namespace

namespace {

const double kSteps[] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};

}  // namespace

double StepFromPrecision(int n)
{
    return (n >= 0 && n <= 7) ? kSteps[n] : kSteps[8];
}

namespace {

// "%g" of a number from 0.0001 up to a million whose six significant digits one multiplication
// decides: the scaled value is not near a rounding half, where its last bit could matter. False
// for any other number (written the long way).
bool FormatPlainNumber(double x, std::u16string& text)
{
    static const double kPowersOfTen[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5};
    static const double kScales[] = {1e9, 1e8, 1e7, 1e6, 1e5, 1e4, 1e3, 1e2, 1e1, 1e0};
    const double a = std::fabs(x);
    if (!(a >= 1e-4 && a < 1e6)) return false;
    int k = 9;  // a >= kPowersOfTen[k]
    while (k > 0 && a < kPowersOfTen[k]) --k;
    const double scaled = a * kScales[k];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return false;
    const auto digits = static_cast<std::uint32_t>(fraction > 0.5 ? whole + 1.0 : whole);
    if (digits < 100000 || digits > 999999) return false;

    // Six digits, the point after the first k - 3 of them (before them, with zeros, when the
    // number is below 1), trailing zeros of the fraction dropped.
    char16_t buffer[24];
    char16_t* p = buffer;
    if (x < 0) *p++ = u'-';
    char16_t sixDigits[6];
    for (std::uint32_t i = 6, v = digits; i-- > 0; v /= 10) sixDigits[i] = static_cast<char16_t>(u'0' + v % 10);
    const int nWhole = k - 3;  // digits before the point
    int nLast = 5;             // the last digit kept: trailing zeros after the point go
    while (nLast >= std::max(nWhole, 0) && sixDigits[nLast] == u'0') --nLast;
    if (nWhole <= 0) {
        *p++ = u'0';
        *p++ = u'.';
        for (int i = nWhole; i < 0; ++i) *p++ = u'0';
        for (int i = 0; i <= nLast; ++i) *p++ = sixDigits[i];
    } else {
        for (int i = 0; i < nWhole; ++i) *p++ = sixDigits[i];
        if (nLast >= nWhole) {
            *p++ = u'.';
            for (int i = nWhole; i <= nLast; ++i) *p++ = sixDigits[i];
        }
    }
    text.assign(buffer, p);
    return true;
}

}  // namespace

std::u16string FormatNumber(double x)
{
    // Whole numbers below a million print as their digits with six significant digits: the
    // integer conversion gives the same text for much less work. -0 keeps its sign below.
    if (std::fabs(x) < 1e6 && x == std::trunc(x) && !(x == 0.0 && std::signbit(x)))
        return FormatCountText(static_cast<long long>(x));
    if (std::u16string text; FormatPlainNumber(x, text)) return text;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 6);
    return Widen(buffer, result.ptr);
}

std::u16string FormatCountText(long long count)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, count);
    return Widen(buffer, result.ptr);
}

namespace {

// Digits and an optional fraction, no exponent, at most 15 significant digits and 22 decimals:
// the quotient of two exact doubles is the correctly rounded value, as from_chars gives it.
// False for any other text (read the long way).
bool ReadPlainDecimal(std::u16string_view csText, double& value)
{
    static const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::size_t i = 0;
    const std::size_t n = csText.size();
    const bool bNegative = i < n && csText[i] == u'-';
    if (i < n && (csText[i] == u'+' || csText[i] == u'-')) ++i;
    std::uint64_t mantissa = 0;
    std::size_t nDigits = 0, nDecimals = 0;
    for (; i < n && IsAsciiDigit(csText[i]); ++i, ++nDigits) mantissa = mantissa * 10 + (csText[i] - u'0');
    if (i < n && csText[i] == u'.')
        for (++i; i < n && IsAsciiDigit(csText[i]); ++i, ++nDigits, ++nDecimals)
            mantissa = mantissa * 10 + (csText[i] - u'0');
    if (nDigits == 0 || nDigits > 15 || nDecimals > 22) return false;
    if (i < n && (csText[i] == u'e' || csText[i] == u'E')) return false;
    value = static_cast<double>(mantissa) / kPowersOfTen[nDecimals];
    if (bNegative) value = -value;
    return true;
}

}  // namespace

double ReadNumberText(std::u16string_view csText)
{
    if (double value; !csText.empty() && !IsCSpace(csText[0]) && ReadPlainDecimal(csText, value)) return value;
    std::size_t i = 0;
    const std::size_t n = csText.size();
    while (i < n && IsCSpace(csText[i])) ++i;

    // Copy the longest decimal prefix as ASCII; from_chars wants no leading '+'.
    std::string csNumber;
    bool bNegative = false;
    if (i < n && (csText[i] == u'+' || csText[i] == u'-')) {
        bNegative = csText[i] == u'-';
        ++i;
    }
    std::size_t nDigits = 0;
    while (i < n && IsAsciiDigit(csText[i])) {
        csNumber.push_back(static_cast<char>(csText[i++]));
        ++nDigits;
    }
    if (i < n && csText[i] == u'.') {
        csNumber.push_back('.');
        ++i;
        while (i < n && IsAsciiDigit(csText[i])) {
            csNumber.push_back(static_cast<char>(csText[i++]));
            ++nDigits;
        }
    }
    if (nDigits == 0) return 0.0;

    // An exponent counts only when at least one digit follows its marker and sign.
    bool bNegativeExponent = false;
    if (i < n && (csText[i] == u'e' || csText[i] == u'E')) {
        std::size_t j = i + 1;
        if (j < n && (csText[j] == u'+' || csText[j] == u'-')) {
            bNegativeExponent = csText[j] == u'-';
            ++j;
        }
        if (j < n && IsAsciiDigit(csText[j])) {
            csNumber.push_back('e');
            if (bNegativeExponent) csNumber.push_back('-');
            while (j < n && IsAsciiDigit(csText[j])) csNumber.push_back(static_cast<char>(csText[j++]));
        }
    }

    double value = 0.0;
    const auto result =
        std::from_chars(csNumber.data(), csNumber.data() + csNumber.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = bNegativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    else if (result.ec != std::errc())
        value = 0.0;
    return bNegative ? -value : value;
}

namespace {

bool PlainDecimalKeptByStep(double step, const std::u16string& text)
{
    const std::size_t n = text.size();
    if (n == 0 || n > 7 || (text[0] == u'0' && n > 1)) return false;
    std::size_t nDecimals = 0;
    const std::size_t point = text.find(u'.');
    if (point != std::u16string::npos) {
        nDecimals = n - point - 1;
        if (point == 0 || nDecimals == 0 || text.back() == u'0') return false;
    } else if (n > 6) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i)
        if (i != point && !IsAsciiDigit(text[i])) return false;
    if (!(step > 0.0)) return true;
    const auto* pStep = std::find(std::begin(kSteps), std::end(kSteps), step);
    return pStep != std::end(kSteps) && nDecimals <= static_cast<std::size_t>(pStep - std::begin(kSteps));
}

}  // namespace

std::u16string RoundNumericText(double step, const std::u16string& text)
{
    // A plain decimal of up to six digits, no leading zero, no trailing zero in its fraction and
    // no more decimals than the step has (none, or a power of ten up to 1) is its own text:
    // rounding moves it by less than "%g" shows.
    if (PlainDecimalKeptByStep(step, text)) return text;
    return FormatNumber(RoundToStep(step, ReadNumberText(text)));
}

void RoundNumericTextInPlace(double step, std::u16string& text)
{
    if (!PlainDecimalKeptByStep(step, text)) text = FormatNumber(RoundToStep(step, ReadNumberText(text)));
}

bool IsNumericText(const std::u16string& text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto digits = [&] {
        const std::size_t start = i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i;
        return i > start;
    };
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    if (!digits()) return false;
    if (i < n && text[i] == u'.') {
        ++i;
        if (!digits()) return false;
    }
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
        if (!digits()) return false;
    }
    return i == n;
}
