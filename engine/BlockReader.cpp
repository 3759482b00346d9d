// The block reference reader: effective name, attributes and dynamic properties.
#include "engine/BlockReader.h"

#include <cstdio>
#include <memory>
#include <numbers>

#include "engine/ExtractionEngine.h"
#include "engine/NumberText.h"
#include "kv/kv.h"

namespace {

// The block table record's name, or false when it does not open.
bool ReadBlockName(KvDbObjectId idRecord, std::u16string& csName)
{
    KvDbBlockTableRecord* pRecord = nullptr;
    if (idRecord.isNull() || kvdbOpenObject(pRecord, idRecord, KvDb::kForRead) != Kvmo::eOk) return false;
    csName = pRecord->getName();
    pRecord->close();
    return true;
}

}  // namespace

bool IsExcludedBlockName(const std::u16string& name)
{
    static const std::u16string_view kExcludedPrefixes[] = {u"ny$", u"ac$", u"*"};
    const std::u16string_view csName(name);
    for (std::u16string_view prefix : kExcludedPrefixes) {
        if (csName.substr(0, 1) == prefix || csName.substr(0, 3) == prefix) return true;
    }
    return false;
}

std::u16string VariantToText(const KvTypedValue& value, double step, bool& totalComp)
{
    totalComp = false;
    switch (value.code) {
    case 1: return value.text() ? *value.text() : std::u16string();
    case 40: totalComp = true; return FormatNumber(RoundToStep(step, value.real() ? *value.real() : 0.0));
    case 70: {
        totalComp = true;
        const auto number = static_cast<std::int16_t>(value.integer() ? *value.integer() : 0);
        char buffer[16];
        const int length = std::snprintf(buffer, sizeof buffer, "%d", number);
        return std::u16string(buffer, buffer + length);
    }
    default: return {};
    }
}

PropValueList ReadDynamicProps(std::unique_ptr<KvDbDynBlockReference> ref, double step)
{
    PropValueList lsProps;
    if (!ref) return lsProps;
    KvDbDynBlockReferencePropertyArray properties;
    ref->getBlockProperties(properties);
    lsProps.reserve(properties.size());
    for (const KvDbDynBlockReferenceProperty& property : properties) {
        if (property.propertyName() == u"Origin") continue;
        PropValue pair;
        pair.name = property.propertyName();
        pair.value = VariantToText(property.value(), step, pair.totalComp);
        lsProps.push_back(std::move(pair));
    }
    return lsProps;
}

SharedText ExtractionEngine::BlockName(KvDbObjectId idRecord, bool& bOpened)
{
    // Nothing changes the drawing while the engine reads it: a record's name is read once.
    const auto it = m_memo.blockNames.find(idRecord);
    if (it != m_memo.blockNames.end()) {
        bOpened = true;
        return it->second;
    }
    std::u16string csName;
    bOpened = ReadBlockName(idRecord, csName);
    if (!bOpened) return {};
    return m_memo.blockNames.emplace(idRecord, csName).first->second;
}

PropValueList ExtractionEngine::ReadAttributes(const KvDbBlockReference& reference)
{
    // Tag/text pairs of the reference's attributes in its order; numeric texts are rounded
    // and marked as totalisable, other texts stay exactly as read.
    const std::unique_ptr<KvDbObjectIterator> pIterator(reference.attributeIterator());
    if (!pIterator) return {};
    // Sized to what it holds: a drawing has hundreds of thousands of these lists. References
    // of one block follow one another, and have as many attributes.
    PropValueList lsPairs;
    lsPairs.reserve(m_memo.nLastAttributes);
    for (pIterator->start(); !pIterator->done(); pIterator->step()) {
        KvDbAttribute* pAttribute = nullptr;
        if (kvdbOpenObject(pAttribute, pIterator->objectId(), KvDb::kForRead) != Kvmo::eOk) continue;
        // References of one block carry the same tags in the same order.
        const std::size_t k = lsPairs.size();
        if (m_memo.tags.size() <= k) m_memo.tags.resize(k + 1);
        const SharedText tag = SharedName(m_memo.tags[k], pAttribute->tag(), false);
        // A tag is never empty in a drawing; an empty one would name no column.
        if (tag.empty()) {
            pAttribute->close();
            continue;
        }
        // Made in place: no move of the pair into the list.
        PropValue& pair = lsPairs.emplace_back(tag, pAttribute->textString(), false);
        pAttribute->close();
        if (IsNumericText(pair.value)) {
            pair.totalComp = true;
            RoundNumericTextInPlace(roundStep, pair.value);
        }
    }
    if (lsPairs.size() != lsPairs.capacity()) lsPairs.shrink_to_fit();
    m_memo.nLastAttributes = lsPairs.size();
    return lsPairs;
}

void ExtractionEngine::NoteBlockItem(const PropValue& pair, std::uint32_t category)
{
    // Across all references read, the first that shows a name decides its item.
    if (m_memo.seBlockItemNames.insert(pair.name.Key()).second)
        blockPropItems.insert(PropItem{pair.name, category, pair.totalComp});
}

void ExtractionEngine::ReadBlockReference(const KvDbBlockReference& reference, KvDbObjectId idReference,
                                          const std::u16string& csHandle)
{
    BlockEnt record;
    record.type = kObjBlock;
    record.csHandle = csHandle;
    record.idBlkTblRec = reference.blockTableRecord();

    bool bOpened = false;
    const KvDbDynBlockReference dynamicReference(idReference);
    if (!dynamicReference.isDynamicBlock()) {
        record.csName = BlockName(record.idBlkTblRec, bOpened);
        if (IsExcludedBlockName(record.csName)) return;
    } else if (record.csName = BlockName(dynamicReference.dynamicBlockTableRecord(), bOpened); bOpened) {
        // The definition's name, not the anonymous name of this instance.
        record.isDynamic = true;
        if (IsExcludedBlockName(record.csName)) return;
        record.lsProps = ReadDynamicProps(std::make_unique<KvDbDynBlockReference>(idReference), roundStep);
    }
    record.lsAttributs = ReadAttributes(reference);

    // Dynamic properties first, then attributes; within each, the first pair of a name.
    for (const PropValue& pair : record.lsProps) NoteBlockItem(pair, PropCategory::DynamicBlock);
    // References of one block repeat their tags: a tag noted at the same place is known.
    std::vector<const void*>& lsNoted = m_memo.notedTags;
    if (lsNoted.size() < record.lsAttributs.size()) lsNoted.resize(record.lsAttributs.size(), nullptr);
    for (std::size_t k = 0; k < record.lsAttributs.size(); ++k) {
        const PropValue& pair = record.lsAttributs[k];
        if (lsNoted[k] == pair.name.Key()) continue;
        NoteBlockItem(pair, PropCategory::Attribute);
        lsNoted[k] = pair.name.Key();
    }

    record.pos = RoundToStep(roundStep, reference.position());
    record.rotationVal = RoundToStep(roundStep, reference.rotation() / (std::numbers::pi / 180.0));
    record.scale3d = RoundToStep(roundStep, reference.scaleFactors());
    lsBlocks.push_back(std::move(record));
}
