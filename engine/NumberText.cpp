#include "engine/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

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
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%g", x);
    return std::u16string(buffer, buffer + (length > 0 ? length : 0));
}

std::u16string RoundNumericText(double step, const std::u16string& text)
{
    // Numbers are ASCII; anything else ends the leading number.
    std::string ascii;
    ascii.reserve(text.size());
    for (char16_t ch : text) ascii += (ch < 0x80) ? static_cast<char>(ch) : '\x01';
    const double value = std::strtod(ascii.c_str(), nullptr);
    return FormatNumber(RoundToStep(step, value));
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
