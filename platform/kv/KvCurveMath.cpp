#include "KvCurveMath.h"

#include <algorithm>
#include <cmath>

#include "KvInternal.h"

namespace kvinternal {

double onCurveTolerance(double size)
{
    return kOnCurveTolerance * std::max(1.0, size);
}

double normalizedAngle(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    return angle < 0.0 ? angle + kTwoPi : angle;
}

bool angleOnCircle(const KvGePoint3d& center, double radius, const KvGeVector3d& normal, const KvGePoint3d& point,
                   double tolerance, double& angle)
{
    KvGeVector3d xAxis, yAxis;
    ocsAxes(normal, xAxis, yAxis);
    const KvGeVector3d v = point - center;
    if (std::fabs(v.dotProduct(normal.normal())) > tolerance || std::fabs(v.length() - radius) > tolerance)
        return false;
    angle = std::atan2(v.dotProduct(yAxis), v.dotProduct(xAxis));
    return true;
}

double angleFromArcStart(double angleFromStart, double sweep, double radius, double tolerance)
{
    const double fromStart = normalizedAngle(angleFromStart);
    return fromStart > sweep && (kTwoPi - fromStart) * radius <= tolerance ? 0.0 : fromStart;
}

}  // namespace kvinternal
