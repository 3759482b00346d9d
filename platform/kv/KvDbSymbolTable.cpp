#include "kv/KvDbSymbolTable.h"

#include <string>

#include "KvInternal.h"
#include "kvinternal/KvAsciiCase.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvString.h"

const char16_t* const KVDB_MODEL_SPACE = u"*Model_Space";
const char16_t* const KVDB_PAPER_SPACE = u"*Paper_Space";

namespace {

// "*U", "*T", ... ask for the next free anonymous name of that letter ("*U3").
bool isAnonymousRequest(const std::u16string& name)
{
    return name.size() == 2 && name[0] == u'*' &&
           ((name[1] >= u'A' && name[1] <= u'Z') || (name[1] >= u'a' && name[1] <= u'z'));
}

}  // namespace

Kvmo::ErrorStatus KvDbSymbolTableRecord::setName(const std::u16string& name)
{
    return assignIfWritable(m_name, name);
}

bool KvDbSymbolTable::has(const std::u16string& name) const
{
    KvDbObjectId id;
    return getAt(name, id) == Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbSymbolTable::getAt(const std::u16string& name, KvDbObjectId& id) const
{
    id = KvDbObjectId();
    const KvDbDatabase* pDb = database();
    if (pDb == nullptr) return Kvmo::eNotInDatabase;
    for (const KvDbObjectId& recordId : m_records) {
        const auto* pRecord = kvCast<KvDbSymbolTableRecord>(pDb->objectAt(recordId));
        if (pRecord && !pRecord->isErased() && kvAsciiEqualNoCase(pRecord->getName(), name)) {
            id = recordId;
            return Kvmo::eOk;
        }
    }
    return Kvmo::eKeyNotFound;
}

Kvmo::ErrorStatus KvDbSymbolTable::add(KvDbObjectId& id, KvDbSymbolTableRecord* record)
{
    id = KvDbObjectId();
    if (const Kvmo::ErrorStatus es = kvinternal::checkAdoptable(*this, record); es != Kvmo::eOk) return es;

    std::u16string name = record->getName();
    if (name.empty()) return Kvmo::eInvalidInput;
    if (isAnonymousRequest(name)) {
        const std::u16string prefix = kvAsciiUpper(name);
        for (int n = 1;; ++n) {
            const std::u16string candidate = prefix + kvFromUtf8(std::to_string(n));
            if (!has(candidate)) {
                name = candidate;
                break;
            }
        }
        record->setName(name);
    } else if (has(name)) {
        return Kvmo::eDuplicateKey;
    }

    if (const Kvmo::ErrorStatus es = kvinternal::adopt(*this, *record, id); es != Kvmo::eOk) return es;
    m_records.push_back(id);
    return Kvmo::eOk;
}

KvDbObjectIterator* KvDbSymbolTable::newIterator() const
{
    return new KvDbObjectIterator(m_records);
}

void KvDbObjectIterator::skipErased()
{
    for (; m_index < m_size; ++m_index) {
        const KvDbObjectId id = at(m_index);
        // Serials are unique across drawings: an object the last drawing finds is its own.
        const KvDbObject* pObject = m_pDb ? m_pDb->objectAt(id) : nullptr;
        if (pObject == nullptr) {
            m_pDb = id.database();
            pObject = m_pDb ? m_pDb->objectAt(id) : nullptr;
        }
        if (pObject && !pObject->isErased()) return;
    }
}
