#include "engine/NumberText.h"

#include <charconv>
#include <cmath>
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

double StepFromPrecision(int n)
{
    static const double kSteps[] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7};
    return (n >= 0 && n <= 7) ? kSteps[n] : 1e-8;
}

double RoundToStep(double step, double x)
{
    if (!(step > 0.0)) return x;
    return std::floor(x / step + 0.5) * step;
}

KvGePoint3d RoundToStep(double step, const KvGePoint3d& point)
{
    return {RoundToStep(step, point.x), RoundToStep(step, point.y), RoundToStep(step, point.z)};
}

KvGeScale3d RoundToStep(double step, const KvGeScale3d& scale)
{
    return {RoundToStep(step, scale.sx), RoundToStep(step, scale.sy), RoundToStep(step, scale.sz)};
}

std::u16string FormatNumber(double x)
{
    // Whole numbers below a million print as their digits with six significant digits: the
    // integer conversion gives the same text for much less work. -0 keeps its sign below.
    if (std::fabs(x) < 1e6 && x == std::trunc(x) && !(x == 0.0 && std::signbit(x)))
        return FormatCountText(static_cast<long long>(x));
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

double ReadNumberText(std::u16string_view csText)
{
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

std::u16string RoundNumericText(double step, const std::u16string& text)
{
    return FormatNumber(RoundToStep(step, ReadNumberText(text)));
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
