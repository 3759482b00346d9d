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
KvDbBlockReference::Rare& KvDbBlockReference::rare()
{
    if (!m_rare) m_rare = std::make_unique<Rare>();
    return *m_rare;
}

Kvmo::ErrorStatus KvDbBlockReference::setScaleFactors(const KvGeScale3d& s)
{
    if (s.sx == 0.0 || s.sy == 0.0 || s.sz == 0.0) return Kvmo::eInvalidInput;
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    const KvGeScale3d one;
    const double given[] = {s.sx, s.sy, s.sz}, plain[] = {one.sx, one.sy, one.sz};
    if (m_rare || !kvinternal::sameBits(given, plain, 3)) rare().scale = s;
    return Kvmo::eOk;
}
Kvmo::ErrorStatus KvDbBlockReference::setNormal(const KvGeVector3d& n)
{
    KvGeVector3d unit = normal();
    if (const Kvmo::ErrorStatus es = assignNormal(unit, n); es != Kvmo::eOk) return es;
    const double given[] = {unit.x, unit.y, unit.z}, plain[] = {0.0, 0.0, 1.0};
    if (m_rare || !kvinternal::sameBits(given, plain, 3)) rare().normal = unit;
    return Kvmo::eOk;
}

KvDbBlockReference::KvDbBlockReference(const KvDbBlockReference& other)
    : KvDbEntity(other),
      m_blockTableRecord(other.m_blockTableRecord),
      m_position(other.m_position),
      m_rotation(other.m_rotation),
      m_attributes(other.m_attributes),
      m_rare(other.m_rare ? std::make_unique<Rare>(*other.m_rare) : nullptr)
{
}

void KvDbBlockReference::setDynamicBlockRecord(KvDbObjectId id)
{
    if (!m_rare && id.isNull()) return;
    rare().record = id;
}

const KvDbDynBlockReferencePropertyArray& KvDbBlockReference::dynamicProperties() const
{
    static const KvDbDynBlockReferencePropertyArray kNone;
    return m_rare ? m_rare->properties : kNone;
}

void KvDbBlockReference::setDynamicProperties(KvDbDynBlockReferencePropertyArray props)
{
    if (!m_rare && props.empty()) return;
    rare().properties = std::move(props);
}

KvDbObjectIterator* KvDbBlockReference::attributeIterator() const
{
    return m_attributes.newIterator();
}

Kvmo::ErrorStatus KvDbBlockReference::appendAttribute(KvDbObjectId& id, KvDbAttribute* attribute)
{
    id = KvDbObjectId();
    if (const Kvmo::ErrorStatus es = kvinternal::checkAdoptable(*this, attribute); es != Kvmo::eOk) return es;
    if (const Kvmo::ErrorStatus es = kvinternal::adopt(*this, *attribute, id); es != Kvmo::eOk) return es;
    m_attributes.push_back(id);
    return Kvmo::eOk;
}
