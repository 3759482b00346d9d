#include "kv/KvDbDynBlockReference.h"

#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"

namespace {

// The host's own read of the reference: no open is needed to answer these questions.
const KvDbBlockReference* referenceAt(KvDbObjectId id)
{
    const KvDbDatabase* pDb = id.database();
    const auto* pRef = pDb ? kvCast<KvDbBlockReference>(pDb->objectAt(id)) : nullptr;
    return (pRef && !pRef->isErased()) ? pRef : nullptr;
}

}  // namespace

KvDbDynBlockReference::KvDbDynBlockReference(KvDbObjectId blockRefId) : m_ref(blockRefId) {}

bool KvDbDynBlockReference::isDynamicBlock() const
{
    const KvDbBlockReference* pRef = referenceAt(m_ref);
    return pRef != nullptr && !pRef->dynamicBlockRecord().isNull();
}

KvDbObjectId KvDbDynBlockReference::dynamicBlockTableRecord() const
{
    const KvDbBlockReference* pRef = referenceAt(m_ref);
    return pRef ? pRef->dynamicBlockRecord() : KvDbObjectId();
}

void KvDbDynBlockReference::getBlockProperties(KvDbDynBlockReferencePropertyArray& properties) const
{
    properties.clear();
    const KvDbBlockReference* pRef = referenceAt(m_ref);
    if (pRef && !pRef->dynamicBlockRecord().isNull()) properties = pRef->dynamicProperties();
}

bool KvDbDynBlockReference::isDynamicBlock(KvDbObjectId blockRecordOrRefId)
{
    const KvDbDatabase* pDb = blockRecordOrRefId.database();
    if (pDb == nullptr) return false;
    if (referenceAt(blockRecordOrRefId)) return KvDbDynBlockReference(blockRecordOrRefId).isDynamicBlock();
    // A definition is dynamic when some reference names it as its dynamic block.
    if (kvCast<KvDbBlockTableRecord>(pDb->objectAt(blockRecordOrRefId)) == nullptr) return false;
    for (const KvDbObjectId& id : pDb->allObjects()) {
        const KvDbBlockReference* pRef = referenceAt(id);
        if (pRef && pRef->dynamicBlockRecord() == blockRecordOrRefId) return true;
    }
    return false;
}
