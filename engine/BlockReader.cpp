// The block reference reader: effective name, attributes and dynamic properties.
#include "engine/BlockReader.h"

#include <cstdio>
#include <memory>
#include <numbers>

#include "engine/ExtractionEngine.h"
#include "engine/NumberText.h"
#include "kv/kv.h"

namespace {

// The block table record's name, or the empty text when it does not open.
bool ReadBlockName(KvDbObjectId idRecord, std::u16string& csName)
{
    KvDbBlockTableRecord* pRecord = nullptr;
    if (idRecord.isNull() || kvdbOpenObject(pRecord, idRecord, KvDb::kForRead) != Kvmo::eOk) return false;
    csName = pRecord->getName();
    pRecord->close();
    return true;
}

// Tag/text pairs of the reference's attributes in its order; numeric texts are rounded
// and marked as totalisable, other texts stay exactly as read.
PropValueList ReadAttributes(const KvDbBlockReference& reference, double step)
{
    PropValueList lsAttributs;
    const std::unique_ptr<KvDbObjectIterator> pIterator(reference.attributeIterator());
    if (!pIterator) return lsAttributs;
    for (pIterator->start(); !pIterator->done(); pIterator->step()) {
        KvDbAttribute* pAttribute = nullptr;
        if (kvdbOpenObject(pAttribute, pIterator->objectId(), KvDb::kForRead) != Kvmo::eOk) continue;
        PropValue pair{pAttribute->tag(), pAttribute->textString(), false};
        pAttribute->close();
        // A tag is never empty in a drawing; an empty one would name no column.
        if (pair.name.empty()) continue;
        if (IsNumericText(pair.value)) {
            pair.totalComp = true;
            pair.value = RoundNumericText(step, pair.value);
        }
        lsAttributs.push_back(std::move(pair));
    }
    return lsAttributs;
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
    for (const KvDbDynBlockReferenceProperty& property : properties) {
        if (property.propertyName() == u"Origin") continue;
        PropValue pair;
        pair.name = property.propertyName();
        pair.value = VariantToText(property.value(), step, pair.totalComp);
        lsProps.push_back(std::move(pair));
    }
    return lsProps;
}

void ExtractionEngine::ReadBlockReference(const KvDbBlockReference& reference, KvDbObjectId idReference,
                                          const std::u16string& csHandle)
{
    BlockEnt record;
    record.type = kObjBlock;
    record.csHandle = csHandle;
    record.idBlkTblRec = reference.blockTableRecord();

    PropItemSet seDynamicItems;
    const KvDbDynBlockReference dynamicReference(idReference);
    if (!dynamicReference.isDynamicBlock()) {
        ReadBlockName(record.idBlkTblRec, record.csName);
        if (IsExcludedBlockName(record.csName)) return;
    } else if (ReadBlockName(dynamicReference.dynamicBlockTableRecord(), record.csName)) {
        // The definition's name, not the anonymous name of this instance.
        record.isDynamic = true;
        if (IsExcludedBlockName(record.csName)) return;
        record.lsProps = ReadDynamicProps(std::make_unique<KvDbDynBlockReference>(idReference), roundStep);
        for (const PropValue& pair : record.lsProps)
            seDynamicItems.insert(PropItem{pair.name, PropCategory::DynamicBlock, pair.totalComp});
    }

    record.lsAttributs = ReadAttributes(reference, roundStep);
    PropItemSet seAttributeItems;
    for (const PropValue& pair : record.lsAttributs)
        seAttributeItems.insert(PropItem{pair.name, PropCategory::Attribute, pair.totalComp});

    // Across all references read, the first that shows a name decides its item.
    blockPropItems.insert(seDynamicItems.begin(), seDynamicItems.end());
    blockPropItems.insert(seAttributeItems.begin(), seAttributeItems.end());

    record.pos = RoundToStep(roundStep, reference.position());
    record.rotationVal = RoundToStep(roundStep, reference.rotation() / (std::numbers::pi / 180.0));
    record.scale3d = RoundToStep(roundStep, reference.scaleFactors());
    lsBlocks.push_back(std::move(record));
}
