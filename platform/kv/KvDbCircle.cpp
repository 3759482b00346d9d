#include "kv/KvDbCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "KvCurveMath.h"
#include "KvInternal.h"

using kvinternal::kOnCurveTolerance;
using kvinternal::kTwoPi;

Kvmo::ErrorStatus KvDbCircle::setCenter(const KvGePoint3d& c)
{
    return assignIfWritable(m_center, c);
}
Kvmo::ErrorStatus KvDbCircle::setRadius(double r)
{
    if (!(r > 0.0)) return Kvmo::eOutOfRange;
    return assignIfWritable(m_radius, r);
}
Kvmo::ErrorStatus KvDbCircle::setThickness(double t)
{
    return setPlanarThickness(t);
}
Kvmo::ErrorStatus KvDbCircle::setNormal(const KvGeVector3d& n)
{
    return setPlanarNormal(n);
}

double KvDbCircle::circumference() const
{
    return kTwoPi * m_radius;
}

// The parameter of a circle is the angle from its X axis, 0 to 2 pi.
Kvmo::ErrorStatus KvDbCircle::getStartParam(double& param) const
{
    param = 0.0;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbCircle::getEndParam(double& param) const
{
    param = kTwoPi;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbCircle::getStartPoint(KvGePoint3d& point) const
{
    KvGeVector3d xAxis, yAxis;
    kvinternal::ocsAxes(planarNormal(), xAxis, yAxis);
    point = m_center + xAxis * m_radius;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbCircle::getEndPoint(KvGePoint3d& point) const
{
    return getStartPoint(point);
}

Kvmo::ErrorStatus KvDbCircle::getDistAtParam(double param, double& dist) const
{
    if (param < -kOnCurveTolerance || param > kTwoPi + kOnCurveTolerance) return Kvmo::eInvalidInput;
    dist = m_radius * std::clamp(param, 0.0, kTwoPi);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbCircle::getDistAtPoint(const KvGePoint3d& point, double& dist) const
{
    double angle = 0.0;
    if (!kvinternal::angleOnCircle(m_center, m_radius, planarNormal(), point, kvinternal::onCurveTolerance(m_radius),
                                   angle))
        return Kvmo::eInvalidInput;
    if (angle < 0.0) angle += kTwoPi;
    dist = m_radius * angle;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbCircle::getArea(double& area) const
{
    area = std::numbers::pi * m_radius * m_radius;
    return Kvmo::eOk;
}
