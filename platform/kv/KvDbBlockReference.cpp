#include "kv/KvDbBlockReference.h"

#include "kv/KvDbAttribute.h"
#include "kv/KvDbDatabase.h"

Kvmo::ErrorStatus KvDbBlockReference::setBlockTableRecord(KvDbObjectId id) { return assignIfWritable(m_blockTableRecord, id); }
Kvmo::ErrorStatus KvDbBlockReference::setPosition(const KvGePoint3d& p) { return assignIfWritable(m_position, p); }
Kvmo::ErrorStatus KvDbBlockReference::setRotation(double radians) { return assignIfWritable(m_rotation, radians); }
Kvmo::ErrorStatus KvDbBlockReference::setScaleFactors(const KvGeScale3d& s)
{
    if (s.sx == 0.0 || s.sy == 0.0 || s.sz == 0.0)
        return Kvmo::eInvalidInput;
    return assignIfWritable(m_scale, s);
}
Kvmo::ErrorStatus KvDbBlockReference::setNormal(const KvGeVector3d& n)
{
    if (n.length() == 0.0)
        return Kvmo::eInvalidInput;
    return assignIfWritable(m_normal, n.normal());
}

KvDbObjectIterator* KvDbBlockReference::attributeIterator() const
{
    return new KvDbObjectIterator(m_attributes);
}

Kvmo::ErrorStatus KvDbBlockReference::appendAttribute(KvDbObjectId& id, KvDbAttribute* attribute)
{
    id = KvDbObjectId();
    if (attribute == nullptr)
        return Kvmo::eNullObjectPointer;
    KvDbDatabase* pDb = database();
    if (pDb == nullptr)
        return Kvmo::eNotInDatabase;
    if (!isWriteEnabled())
        return Kvmo::eNotOpenForWrite;
    if (attribute->database() != nullptr && (attribute->database() != pDb || !attribute->ownerId().isNull()))
        return Kvmo::eAlreadyInDb;
    if (attribute->database() == nullptr) {
        const Kvmo::ErrorStatus es = pDb->addKvDbObject(id, attribute);
        if (es != Kvmo::eOk)
            return es;
    } else {
        id = attribute->objectId();  // added with its own handle by a file reader
    }
    attribute->setOwnerId(objectId());
    m_attributes.push_back(id);
    return Kvmo::eOk;
}
