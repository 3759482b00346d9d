#pragma once
#include <vector>

#include "kv/KvDbEvalVariant.h"
#include "kv/KvDbObjectId.h"

// One dynamic property of a block reference, as the host reports it.
class KvDbDynBlockReferenceProperty {
public:
    KvDbDynBlockReferenceProperty() = default;
    KvDbDynBlockReferenceProperty(std::u16string name, KvDbEvalVariant value, bool readOnly = false)
        : m_name(std::move(name)), m_value(std::move(value)), m_readOnly(readOnly)
    {
    }

    const std::u16string& propertyName() const { return m_name; }
    const KvDbEvalVariant& value() const { return m_value; }
    bool readOnly() const { return m_readOnly; }

private:
    std::u16string m_name;
    KvDbEvalVariant m_value;
    bool m_readOnly = false;
};

using KvDbDynBlockReferencePropertyArray = std::vector<KvDbDynBlockReferenceProperty>;

// Wrapper over a block reference that answers dynamic-block questions.
class KvDbDynBlockReference {
public:
    explicit KvDbDynBlockReference(KvDbObjectId blockRefId);

    bool isDynamicBlock() const;
    // The dynamic block's definition record (the effective block), null when not dynamic.
    KvDbObjectId dynamicBlockTableRecord() const;
    void getBlockProperties(KvDbDynBlockReferencePropertyArray& properties) const;

    static bool isDynamicBlock(KvDbObjectId blockRecordOrRefId);

private:
    KvDbObjectId m_ref;
};
