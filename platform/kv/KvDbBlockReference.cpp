#include "kv/KvDbBlockReference.h"

#include "KvInternal.h"
#include "kv/KvDbAttribute.h"
#include "kv/KvDbDatabase.h"

Kvmo::ErrorStatus KvDbBlockReference::setBlockTableRecord(KvDbObjectId id)
{
    return assignIfWritable(m_blockTableRecord, id);
}
Kvmo::ErrorStatus KvDbBlockReference::setPosition(const KvGePoint3d& p)
{
    return assignIfWritable(m_position, p);
}
Kvmo::ErrorStatus KvDbBlockReference::setRotation(double radians)
{
    return assignIfWritable(m_rotation, radians);
}
Kvmo::ErrorStatus KvDbBlockReference::setScaleFactors(const KvGeScale3d& s)
{
    if (s.sx == 0.0 || s.sy == 0.0 || s.sz == 0.0) return Kvmo::eInvalidInput;
    return assignIfWritable(m_scale, s);
}
Kvmo::ErrorStatus KvDbBlockReference::setNormal(const KvGeVector3d& n)
{
    return assignNormal(m_normal, n);
}

KvDbObjectIterator* KvDbBlockReference::attributeIterator() const
{
    return new KvDbObjectIterator(m_attributes);
}

Kvmo::ErrorStatus KvDbBlockReference::appendAttribute(KvDbObjectId& id, KvDbAttribute* attribute)
{
    id = KvDbObjectId();
    if (const Kvmo::ErrorStatus es = kvinternal::checkAdoptable(*this, attribute); es != Kvmo::eOk) return es;
    if (const Kvmo::ErrorStatus es = kvinternal::adopt(*this, *attribute, id); es != Kvmo::eOk) return es;
    m_attributes.push_back(id);
    return Kvmo::eOk;
}
