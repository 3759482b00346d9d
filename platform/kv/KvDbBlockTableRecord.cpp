#include "kv/KvDbBlockTableRecord.h"

#include "KvInternal.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"

Kvmo::ErrorStatus KvDbBlockTableRecord::appendKvDbEntity(KvDbObjectId& id, KvDbEntity* entity)
{
    id = KvDbObjectId();
    if (entity == nullptr)
        return Kvmo::eNullObjectPointer;
    KvDbDatabase* pDb = database();
    if (pDb == nullptr)
        return Kvmo::eNotInDatabase;
    if (!isWriteEnabled())
        return Kvmo::eNotOpenForWrite;
    if (entity->database() != nullptr && (entity->database() != pDb || !entity->ownerId().isNull()))
        return Kvmo::eAlreadyInDb;

    if (entity->database() == nullptr) {
        const Kvmo::ErrorStatus es = pDb->addKvDbObject(id, entity);
        if (es != Kvmo::eOk)
            return es;
    } else {
        id = entity->objectId();  // added with its own handle by a file reader
    }
    entity->setOwnerId(objectId());
    m_entities.push_back(id);
    pDb->noteEntityAppended(objectId(), id);
    // The caller gets the new entity open for write, as the host hands it over.
    KvDbObject* pOpened = nullptr;
    kvdbOpenKvDbObject(pOpened, id, KvDb::kForWrite);
    return Kvmo::eOk;
}

KvDbObjectIterator* KvDbBlockTableRecord::newIterator() const
{
    return new KvDbObjectIterator(m_entities);
}

bool KvDbBlockTableRecord::isLayout() const
{
    const std::u16string& name = getName();
    return kvinternal::equalsIgnoringCase(name, KVDB_MODEL_SPACE) ||
           (name.size() >= 12 && kvinternal::equalsIgnoringCase(std::u16string_view(name).substr(0, 12), KVDB_PAPER_SPACE));
}

bool KvDbBlockTableRecord::isAnonymous() const
{
    return !getName().empty() && getName()[0] == u'*' && !isLayout();
}
