#include "KvInternal.h"

#include <cmath>

namespace kvinternal {

char16_t foldCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

std::u16string toUpper(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) c = foldCase(c);
    return out;
}

void ocsAxes(const KvGeVector3d& normal, KvGeVector3d& xAxis, KvGeVector3d& yAxis)
{
    const KvGeVector3d n = normal.normal();
    constexpr double kLimit = 1.0 / 64.0;
    if (std::fabs(n.x) < kLimit && std::fabs(n.y) < kLimit)
        xAxis = KvGeVector3d::kYAxis.crossProduct(n).normal();
    else
        xAxis = KvGeVector3d::kZAxis.crossProduct(n).normal();
    yAxis = n.crossProduct(xAxis).normal();
}

}  // namespace kvinternal
