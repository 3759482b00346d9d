#include "KvInternal.h"

#include <cmath>
#include <cstring>

namespace kvinternal {

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

bool kvinternal::sameBits(const double* a, const double* b, std::size_t count)
{
    return std::memcmp(a, b, count * sizeof(double)) == 0;
}
