#include "kv/KvDbPoint.h"

Kvmo::ErrorStatus KvDbPoint::setPosition(const KvGePoint3d& p)
{
    return assignIfWritable(m_position, p);
}
Kvmo::ErrorStatus KvDbPoint::setThickness(double t)
{
    return setPlanarThickness(t);
}
Kvmo::ErrorStatus KvDbPoint::setNormal(const KvGeVector3d& n)
{
    return setPlanarNormal(n);
}
Kvmo::ErrorStatus KvDbPoint::setEcsRotation(double r)
{
    return assignIfWritable(m_ecsRotation, r);
}
