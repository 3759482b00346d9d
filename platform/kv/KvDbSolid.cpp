#include "kv/KvDbSolid.h"

Kvmo::ErrorStatus KvDbSolid::getPointAt(unsigned int index, KvGePoint3d& point) const
{
    if (index > 3) return Kvmo::eInvalidIndex;
    point = m_points[index];
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbSolid::setPointAt(unsigned int index, const KvGePoint3d& point)
{
    if (index > 3) return Kvmo::eInvalidIndex;
    return assignIfWritable(m_points[index], point);
}

Kvmo::ErrorStatus KvDbSolid::setThickness(double t)
{
    return setPlanarThickness(t);
}

Kvmo::ErrorStatus KvDbSolid::setNormal(const KvGeVector3d& n)
{
    return setPlanarNormal(n);
}
