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

KvDbBlockReference::KvDbBlockReference(const KvDbBlockReference& other)
    : KvDbEntity(other),
      m_blockTableRecord(other.m_blockTableRecord),
      m_position(other.m_position),
      m_rotation(other.m_rotation),
      m_scale(other.m_scale),
      m_normal(other.m_normal),
      m_attributes(other.m_attributes),
      m_dynamic(other.m_dynamic ? std::make_unique<Dynamic>(*other.m_dynamic) : nullptr)
{
}

void KvDbBlockReference::setDynamicBlockRecord(KvDbObjectId id)
{
    if (!m_dynamic && id.isNull()) return;
    if (!m_dynamic) m_dynamic = std::make_unique<Dynamic>();
    m_dynamic->record = id;
}

const KvDbDynBlockReferencePropertyArray& KvDbBlockReference::dynamicProperties() const
{
    static const KvDbDynBlockReferencePropertyArray kNone;
    return m_dynamic ? m_dynamic->properties : kNone;
}

void KvDbBlockReference::setDynamicProperties(KvDbDynBlockReferencePropertyArray props)
{
    if (!m_dynamic && props.empty()) return;
    if (!m_dynamic) m_dynamic = std::make_unique<Dynamic>();
    m_dynamic->properties = std::move(props);
}

KvDbObjectIterator* KvDbBlockReference::attributeIterator() const
{
    return new KvDbObjectIterator(m_attributes.toVector());
}

Kvmo::ErrorStatus KvDbBlockReference::appendAttribute(KvDbObjectId& id, KvDbAttribute* attribute)
{
    id = KvDbObjectId();
    if (const Kvmo::ErrorStatus es = kvinternal::checkAdoptable(*this, attribute); es != Kvmo::eOk) return es;
    if (const Kvmo::ErrorStatus es = kvinternal::adopt(*this, *attribute, id); es != Kvmo::eOk) return es;
    m_attributes.push_back(id);
    return Kvmo::eOk;
}
