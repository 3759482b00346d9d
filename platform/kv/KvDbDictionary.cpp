#include "kv/KvDbDictionary.h"

#include "kv/KvDbDatabase.h"

Kvmo::ErrorStatus KvDbDictionary::getAt(const std::u16string& name, KvDbObjectId& id) const
{
    const auto it = m_entries.find(name);
    const KvDbDatabase* pDb = database();
    const KvDbObject* pObject = (it != m_entries.end() && pDb) ? pDb->objectAt(it->second) : nullptr;
    if (pObject == nullptr || pObject->isErased()) {
        id = KvDbObjectId();
        return Kvmo::eKeyNotFound;
    }
    id = it->second;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbDictionary::setAt(const std::u16string& name, KvDbObject* object, KvDbObjectId& id)
{
    id = KvDbObjectId();
    if (object == nullptr) return Kvmo::eNullObjectPointer;
    if (name.empty()) return Kvmo::eInvalidInput;
    KvDbDatabase* pDb = database();
    if (pDb == nullptr) return Kvmo::eNotInDatabase;
    if (!isWriteEnabled()) return Kvmo::eNotOpenForWrite;
    if (object->database() == nullptr) {
        const Kvmo::ErrorStatus es = pDb->addKvDbObject(id, object);
        if (es != Kvmo::eOk) return es;
        object->setOwnerId(objectId());
    } else if (object->database() != pDb) {
        return Kvmo::eAlreadyInDb;
    } else {
        id = object->objectId();
        if (object->ownerId().isNull()) object->setOwnerId(objectId());
    }
    m_entries[name] = id;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbDictionary::setAt(const std::u16string& name, KvDbObjectId existing)
{
    KvDbDatabase* pDb = database();
    if (pDb == nullptr) return Kvmo::eNotInDatabase;
    if (!isWriteEnabled()) return Kvmo::eNotOpenForWrite;
    if (name.empty() || pDb->objectAt(existing) == nullptr) return Kvmo::eInvalidInput;
    m_entries[name] = existing;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbDictionary::remove(const std::u16string& name)
{
    if (!isWriteEnabled()) return Kvmo::eNotOpenForWrite;
    return m_entries.erase(name) ? Kvmo::eOk : Kvmo::eKeyNotFound;
}
