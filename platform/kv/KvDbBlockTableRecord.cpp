#include "kv/KvDbBlockTableRecord.h"

#include "KvInternal.h"
#include "kvinternal/KvAsciiCase.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"

Kvmo::ErrorStatus KvDbBlockTableRecord::appendKvDbEntity(KvDbObjectId& id, KvDbEntity* entity)
{
    id = KvDbObjectId();
    if (const Kvmo::ErrorStatus es = kvinternal::checkAdoptable(*this, entity); es != Kvmo::eOk) return es;

    if (const Kvmo::ErrorStatus es = kvinternal::adopt(*this, *entity, id); es != Kvmo::eOk) return es;
    m_entities.push_back(id);
    database()->noteEntityAppended(objectId(), id);
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
    return kvAsciiEqualNoCase(name, KVDB_MODEL_SPACE) ||
           (name.size() >= 12 && kvAsciiEqualNoCase(std::u16string_view(name).substr(0, 12), KVDB_PAPER_SPACE));
}

bool KvDbBlockTableRecord::isAnonymous() const
{
    return !getName().empty() && getName()[0] == u'*' && !isLayout();
}
