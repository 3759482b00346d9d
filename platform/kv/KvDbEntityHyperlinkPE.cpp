#include "kv/KvDbEntityHyperlinkPE.h"

#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvResbuf.h"

namespace {

const char16_t* const kHyperlinkApp = u"PE_URL";

// Hyperlinks from the entity's "PE_URL" group: a name (1000), then optionally a "{" ... "}"
// block (1002) whose first two 1000 entries are the description and the sub-location.
std::vector<KvDbHyperlink> readHyperlinks(const KvDbObject& object)
{
    std::vector<KvDbHyperlink> links;
    if (object.xDataValues().empty()) return links;  // most objects carry no extended data
    resbuf* pChain = object.xData(kHyperlinkApp);
    const KvTypedValueList values = kvRbToTypedValues(pChain);
    kvutRelRb(pChain);
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i].code != 1000 || !values[i].text()) continue;
        const std::u16string name = *values[i].text();
        std::u16string description, subLocation;
        if (i + 1 < values.size() && values[i + 1].code == 1002 && values[i + 1].text() &&
            *values[i + 1].text() == u"{") {
            int depth = 0, texts = 0;
            std::size_t j = i + 1;
            for (; j < values.size(); ++j) {
                const KvTypedValue& v = values[j];
                if (v.code == 1002 && v.text()) {
                    depth += *v.text() == u"{" ? 1 : -1;
                    if (depth == 0) break;
                } else if (depth == 1 && v.code == 1000 && v.text()) {
                    (texts++ == 0 ? description : subLocation) = *v.text();
                }
            }
            i = j;
        }
        links.emplace_back(name, description, subLocation);
    }
    return links;
}

}  // namespace

const KvDbHyperlink* KvDbHyperlinkCollection::item(int index) const
{
    return (index >= 0 && index < count()) ? &m_items[static_cast<std::size_t>(index)] : nullptr;
}

KvDbEntityHyperlinkPE* KvDbEntityHyperlinkPE::cast(const KvDbObject* object)
{
    static KvDbEntityHyperlinkPE protocol;
    return kvCast<KvDbEntity>(object) ? &protocol : nullptr;
}

Kvmo::ErrorStatus KvDbEntityHyperlinkPE::hasHyperlink(const KvDbObject* object, bool& has, bool) const
{
    has = false;
    if (object == nullptr) return Kvmo::eNullObjectPointer;
    has = !readHyperlinks(*object).empty();
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbEntityHyperlinkPE::getHyperlinkCollection(const KvDbObject* object,
                                                                KvDbHyperlinkCollection*& collection, bool oneOnly,
                                                                bool) const
{
    collection = nullptr;
    if (object == nullptr) return Kvmo::eNullObjectPointer;
    collection = new KvDbHyperlinkCollection();
    for (const KvDbHyperlink& link : readHyperlinks(*object)) {
        collection->addTail(link);
        if (oneOnly) break;
    }
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbEntityHyperlinkPE::setHyperlinkCollection(KvDbObject* object,
                                                                const KvDbHyperlinkCollection* collection) const
{
    if (object == nullptr) return Kvmo::eNullObjectPointer;
    if (!object->isWriteEnabled()) return Kvmo::eNotOpenForWrite;
    KvDbDatabase* pDb = object->database();
    if (pDb) {
        KvDbRegAppTable* pApps = nullptr;
        if (pDb->getRegAppTable(pApps, KvDb::kForWrite) == Kvmo::eOk) {
            if (!pApps->has(kHyperlinkApp)) {
                auto* pRecord = new KvDbRegAppTableRecord();
                pRecord->setName(kHyperlinkApp);
                KvDbObjectId id;
                if (pApps->add(id, pRecord) != Kvmo::eOk) delete pRecord;
            }
            pApps->close();
        }
    }
    KvTypedValueList values{KvTypedValue(1001, std::u16string(kHyperlinkApp))};
    for (int i = 0; collection && i < collection->count(); ++i) {
        const KvDbHyperlink* pLink = collection->item(i);
        values.emplace_back(1000, pLink->name());
        values.emplace_back(1002, std::u16string(u"{"));
        values.emplace_back(1000, pLink->description());
        values.emplace_back(1000, pLink->subLocation());
        values.emplace_back(1002, std::u16string(u"}"));
    }
    resbuf* pChain = kvTypedValuesToRb(values);
    const Kvmo::ErrorStatus es = object->setXData(pChain);
    kvutRelRb(pChain);
    return es;
}
