#include "kv/KvDbObject.h"

#include "KvObjectPool.h"

#include <vector>

#include "KvInternal.h"
#include "kvinternal/KvAsciiCase.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbSymbolTable.h"
#include "kv/KvResbuf.h"

namespace {

constexpr short kAppNameCode = 1001;

struct GroupRange {
    std::size_t begin, end;  // [begin, end) of one application's entries, 1001 first
};

std::vector<GroupRange> groupsOf(const KvTypedValueList& values)
{
    std::vector<GroupRange> groups;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i].code != kAppNameCode) continue;
        if (!groups.empty()) groups.back().end = i;
        groups.push_back({i, values.size()});
    }
    return groups;
}

std::u16string groupName(const KvTypedValueList& values, const GroupRange& g)
{
    const std::u16string* pName = values[g.begin].text();
    return pName ? *pName : std::u16string();
}

bool isRegistered(const KvDbDatabase* pDb, const std::u16string& name)
{
    if (pDb == nullptr) return true;  // an object outside any drawing is checked when it is set on a resident one
    const auto* pTable = kvCast<KvDbSymbolTable>(pDb->objectAt(pDb->regAppTableId()));
    return pTable != nullptr && pTable->has(name);
}

}  // namespace

KvDbObject::Seldom::Seldom()
{
    static const KvSharedName kByLayer(u"ByLayer");
    plotStyleName = kByLayer;
    linetype = kByLayer;
}

KvDbObject::KvDbObject(const KvDbObject& other)
{
    if (other.m_seldom && !other.m_seldom->xdata.empty()) seldomForWrite().xdata = other.m_seldom->xdata;
}

Kvmo::ErrorStatus KvDbObject::erase(bool erasing)
{
    KvDbDatabase* pDb = database();
    if (pDb == nullptr) return Kvmo::eNotInDatabase;
    if (!m_writer) return Kvmo::eNotOpenForWrite;
    if (erasing == m_erased) return Kvmo::eOk;
    if (erasing && !pDb->canErase(m_id)) return Kvmo::eCannotBeErased;
    m_erased = erasing;
    m_modifiedSinceLoad = true;
    pDb->noteChange();
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbObject::close()
{
    if (m_writer) {
        m_writer = false;
        return Kvmo::eOk;
    }
    if (m_readers > 0) {
        --m_readers;
        return Kvmo::eOk;
    }
    // An object outside any database has nothing to close.
    return m_id.isNull() ? Kvmo::eOk : Kvmo::eNotOpenForRead;
}

Kvmo::ErrorStatus KvDbObject::upgradeOpen()
{
    if (m_writer) return Kvmo::eOk;
    if (m_readers == 0) return m_id.isNull() ? Kvmo::eOk : Kvmo::eNotOpenForRead;
    if (m_readers > 1) return Kvmo::eWasOpenForRead;  // another reader holds it
    m_readers = 0;
    m_writer = true;
    m_modifiedSinceLoad = true;
    if (KvDbDatabase* pDb = database()) pDb->noteChange();
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbObject::downgradeOpen()
{
    if (!m_writer) return Kvmo::eNotOpenForWrite;
    m_writer = false;
    m_readers = 1;
    return Kvmo::eOk;
}

resbuf* KvDbObject::xData(const char16_t* regappName) const
{
    const KvTypedValueList& all = xDataValues();
    if (regappName == nullptr) return all.empty() ? nullptr : kvTypedValuesToRb(all);
    for (const GroupRange& g : groupsOf(all)) {
        if (kvAsciiEqualNoCase(groupName(all, g), regappName))
            return kvTypedValuesToRb(KvTypedValueList(all.begin() + g.begin, all.begin() + g.end));
    }
    return nullptr;
}

Kvmo::ErrorStatus KvDbObject::setXData(const resbuf* xdata)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    const KvTypedValueList incoming = kvRbToTypedValues(xdata);
    if (incoming.empty()) return Kvmo::eOk;
    if (incoming.front().code != kAppNameCode) return Kvmo::eInvalidInput;
    const std::vector<GroupRange> newGroups = groupsOf(incoming);
    KvTypedValueList& all = seldomForWrite().xdata;
    // Check every group before changing anything: all or nothing.
    for (const GroupRange& g : newGroups) {
        const std::u16string name = groupName(incoming, g);
        if (name.empty() || !isRegistered(database(), name)) return Kvmo::eInvalidInput;
    }
    for (const GroupRange& g : newGroups) {
        const std::u16string name = groupName(incoming, g);
        const KvTypedValueList group(incoming.begin() + g.begin, incoming.begin() + g.end);
        bool bReplaced = false;
        for (const GroupRange& old : groupsOf(all)) {
            if (kvAsciiEqualNoCase(groupName(all, old), name)) {
                all.erase(all.begin() + old.begin, all.begin() + old.end);
                all.insert(all.begin() + old.begin, group.begin(), group.end());
                bReplaced = true;
                break;
            }
        }
        if (!bReplaced) all.insert(all.end(), group.begin(), group.end());
    }
    return Kvmo::eOk;
}

const KvTypedValueList& KvDbObject::xDataValues() const
{
    static const KvTypedValueList kNone;
    return m_seldom ? m_seldom->xdata : kNone;
}

void KvDbObject::setXDataValues(KvTypedValueList values)
{
    if (m_seldom || !values.empty()) seldomForWrite().xdata = std::move(values);
}

Kvmo::ErrorStatus kvdbOpenKvDbObject(KvDbObject*& object, KvDbObjectId id, KvDb::OpenMode mode, bool openErased)
{
    object = nullptr;
    if (id.isNull()) return Kvmo::eNullObjectId;
    KvDbDatabase* pDb = id.database();
    KvDbObject* pObject = pDb ? pDb->objectAt(id) : nullptr;
    if (pObject == nullptr) return Kvmo::eInvalidInput;  // stale id
    if (pObject->m_erased && !openErased) return Kvmo::eWasErased;
    if (pObject->m_writer) return Kvmo::eWasOpenForWrite;
    if (mode == KvDb::kForWrite) {
        if (pObject->m_readers > 0) return Kvmo::eWasOpenForRead;
        pObject->m_writer = true;
        pObject->m_modifiedSinceLoad = true;
        pDb->noteChange();
    } else {
        if (pObject->m_readers == UINT16_MAX) return Kvmo::eOutOfRange;  // readers at a time
        ++pObject->m_readers;
    }
    object = pObject;
    return Kvmo::eOk;
}

void* KvDbObject::operator new(std::size_t size)
{
    return kvPoolAllocate(size);
}

void KvDbObject::operator delete(void* object, std::size_t size) noexcept
{
    kvPoolRelease(object, size);
}
