#include "KvInternal.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbObject.h"

namespace kvinternal {

Kvmo::ErrorStatus checkAdoptable(const KvDbObject& owner, const KvDbObject* child)
{
    if (child == nullptr) return Kvmo::eNullObjectPointer;
    const KvDbDatabase* pDb = owner.database();
    if (pDb == nullptr) return Kvmo::eNotInDatabase;
    if (!owner.isWriteEnabled()) return Kvmo::eNotOpenForWrite;
    if (child->database() != nullptr && (child->database() != pDb || !child->ownerId().isNull()))
        return Kvmo::eAlreadyInDb;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus adopt(KvDbObject& owner, KvDbObject& child, KvDbObjectId& id)
{
    if (child.database() == nullptr) {
        const Kvmo::ErrorStatus es = owner.database()->addKvDbObject(id, &child);
        if (es != Kvmo::eOk) return es;
    } else {
        id = child.objectId();  // added with its own handle by a file reader
    }
    child.setOwnerId(owner.objectId());
    return Kvmo::eOk;
}

}  // namespace kvinternal
