#include "kv/KvDbLine.h"

#include <algorithm>
#include <cmath>

#include "KvCurveMath.h"

Kvmo::ErrorStatus KvDbLine::setStartPoint(const KvGePoint3d& p)
{
    return assignIfWritable(m_start, p);
}
Kvmo::ErrorStatus KvDbLine::setEndPoint(const KvGePoint3d& p)
{
    return assignIfWritable(m_end, p);
}
Kvmo::ErrorStatus KvDbLine::setThickness(double t)
{
    return setPlanarThickness(t);
}
Kvmo::ErrorStatus KvDbLine::setNormal(const KvGeVector3d& n)
{
    return setPlanarNormal(n);
}

// The parameter of a line is the distance from its start.
Kvmo::ErrorStatus KvDbLine::getStartParam(double& param) const
{
    param = 0.0;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbLine::getEndParam(double& param) const
{
    param = m_start.distanceTo(m_end);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbLine::getStartPoint(KvGePoint3d& point) const
{
    point = m_start;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbLine::getEndPoint(KvGePoint3d& point) const
{
    point = m_end;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbLine::getDistAtParam(double param, double& dist) const
{
    const double length = m_start.distanceTo(m_end);
    const double tolerance = kvinternal::onCurveTolerance(length);
    if (param < -tolerance || param > length + tolerance) return Kvmo::eInvalidInput;
    dist = std::clamp(param, 0.0, length);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbLine::getDistAtPoint(const KvGePoint3d& point, double& dist) const
{
    const KvGeVector3d along = m_end - m_start;
    const double length = along.length();
    const double tolerance = kvinternal::onCurveTolerance(length);
    if (length == 0.0) {
        if (point.distanceTo(m_start) > tolerance) return Kvmo::eInvalidInput;
        dist = 0.0;
        return Kvmo::eOk;
    }
    const double t = (point - m_start).dotProduct(along) / length;
    const KvGePoint3d foot = m_start + along * (t / length);
    if (foot.distanceTo(point) > tolerance || t < -tolerance || t > length + tolerance) return Kvmo::eInvalidInput;
    dist = std::clamp(t, 0.0, length);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbLine::getArea(double& area) const
{
    area = 0.0;
    return Kvmo::eOk;
}
