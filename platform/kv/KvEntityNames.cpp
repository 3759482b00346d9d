#include <string>

#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"
#include "kv/KvEdFunctions.h"

// An entity name is the object id's serial in its first word.

Kvmo::ErrorStatus kvdbGetObjectId(KvDbObjectId& id, const kv_name entity)
{
    id = KvDbObjectId();
    if (entity[0] == 0) return Kvmo::eNullObjectId;
    const KvDbObjectId candidate(static_cast<std::uint64_t>(entity[0]));
    if (candidate.database() == nullptr) return Kvmo::eInvalidInput;
    id = candidate;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus kvdbGetAdsName(kv_name entity, KvDbObjectId id)
{
    entity[0] = entity[1] = 0;
    if (id.isNull()) return Kvmo::eNullObjectId;
    entity[0] = static_cast<std::int64_t>(id.serial());
    return Kvmo::eOk;
}

namespace {

bool isLive(const KvDbDatabase& db, KvDbObjectId id)
{
    const KvDbObject* pObject = db.objectAt(id);
    return pObject && !pObject->isErased();
}

}  // namespace

int kvdbEntLast(kv_name entity)
{
    entity[0] = entity[1] = 0;
    const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    if (pDb == nullptr) return RTERROR;
    const auto& order = pDb->layoutEntitiesInOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (isLive(*pDb, *it)) return kvdbGetAdsName(entity, *it) == Kvmo::eOk ? RTNORM : RTERROR;
    return RTERROR;
}

int kvdbEntNext(const kv_name entity, kv_name next)
{
    const std::int64_t current = entity ? entity[0] : 0;
    next[0] = next[1] = 0;
    const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    if (pDb == nullptr) return RTERROR;
    const auto& order = pDb->layoutEntitiesInOrder();
    std::size_t start = 0;
    if (current != 0) {
        std::size_t position = 0;
        if (!pDb->layoutPosition(KvDbObjectId(static_cast<std::uint64_t>(current)), position))
            return RTERROR;  // not an entity of the layouts
        start = position + 1;
    }
    for (std::size_t i = start; i < order.size(); ++i)
        if (isLive(*pDb, order[i])) return kvdbGetAdsName(next, order[i]) == Kvmo::eOk ? RTNORM : RTERROR;
    return RTERROR;
}

resbuf* kvdbEntGet(const kv_name entity)
{
    KvDbObjectId id;
    if (kvdbGetObjectId(id, entity) != Kvmo::eOk) return nullptr;
    const auto* pEntity = kvCast<KvDbEntity>(id.database()->objectAt(id));
    if (pEntity == nullptr || pEntity->isErased()) return nullptr;
    const std::u16string type = pEntity->dxfName();
    const std::u16string handle = pEntity->handle().text();
    return kvutBuildList(RTDXF0, type.c_str(), 5, handle.c_str(), 8, pEntity->layer().c_str(), 62,
                         static_cast<int>(pEntity->colorIndex()), 0);
}
