#include "kv/KvDbArc.h"

#include <algorithm>
#include <cmath>

#include "KvCurveMath.h"
#include "KvInternal.h"

using kvinternal::kOnCurveTolerance;
using kvinternal::kTwoPi;
using kvinternal::normalizedAngle;

Kvmo::ErrorStatus KvDbArc::setCenter(const KvGePoint3d& c)
{
    return assignIfWritable(m_center, c);
}
Kvmo::ErrorStatus KvDbArc::setRadius(double r)
{
    if (!(r > 0.0)) return Kvmo::eOutOfRange;
    return assignIfWritable(m_radius, r);
}
Kvmo::ErrorStatus KvDbArc::setStartAngle(double a)
{
    return assignIfWritable(m_startAngle, a);
}
Kvmo::ErrorStatus KvDbArc::setEndAngle(double a)
{
    return assignIfWritable(m_endAngle, a);
}
Kvmo::ErrorStatus KvDbArc::setThickness(double t)
{
    return setPlanarThickness(t);
}
Kvmo::ErrorStatus KvDbArc::setNormal(const KvGeVector3d& n)
{
    return setPlanarNormal(n);
}

double KvDbArc::totalAngle() const
{
    const double sweep = normalizedAngle(m_endAngle - m_startAngle);
    return sweep == 0.0 ? kTwoPi : sweep;  // equal angles: the full circle
}

// The parameter of an arc is the angle, running from the start angle to start + sweep.
Kvmo::ErrorStatus KvDbArc::getStartParam(double& param) const
{
    param = normalizedAngle(m_startAngle);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbArc::getEndParam(double& param) const
{
    param = normalizedAngle(m_startAngle) + totalAngle();
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbArc::getStartPoint(KvGePoint3d& point) const
{
    KvGeVector3d xAxis, yAxis;
    kvinternal::ocsAxes(planarNormal(), xAxis, yAxis);
    point = m_center + xAxis * (m_radius * std::cos(m_startAngle)) + yAxis * (m_radius * std::sin(m_startAngle));
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbArc::getEndPoint(KvGePoint3d& point) const
{
    KvGeVector3d xAxis, yAxis;
    kvinternal::ocsAxes(planarNormal(), xAxis, yAxis);
    point = m_center + xAxis * (m_radius * std::cos(m_endAngle)) + yAxis * (m_radius * std::sin(m_endAngle));
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbArc::getDistAtParam(double param, double& dist) const
{
    double start = 0.0, end = 0.0;
    getStartParam(start);
    getEndParam(end);
    if (param < start - kOnCurveTolerance || param > end + kOnCurveTolerance) return Kvmo::eInvalidInput;
    dist = m_radius * (std::clamp(param, start, end) - start);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbArc::getDistAtPoint(const KvGePoint3d& point, double& dist) const
{
    const double tolerance = kvinternal::onCurveTolerance(m_radius);
    double angle = 0.0;
    if (!kvinternal::angleOnCircle(m_center, m_radius, planarNormal(), point, tolerance, angle))
        return Kvmo::eInvalidInput;
    const double sweep = totalAngle();
    const double fromStart = kvinternal::angleFromArcStart(angle - m_startAngle, sweep, m_radius, tolerance);
    if (fromStart > sweep + tolerance / m_radius) return Kvmo::eInvalidInput;
    dist = m_radius * std::min(fromStart, sweep);
    return Kvmo::eOk;
}

// The segment between the arc and its chord.
Kvmo::ErrorStatus KvDbArc::getArea(double& area) const
{
    const double sweep = totalAngle();
    area = 0.5 * m_radius * m_radius * (sweep - std::sin(sweep));
    return Kvmo::eOk;
}
