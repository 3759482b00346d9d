#pragma once
#include <memory>
#include <vector>

#include "kv/KvDbDynBlockReference.h"
#include "kv/KvDbEntity.h"
#include "kv/KvDbObjectIdList.h"
#include "kv/KvDbObjectIterator.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvGeScale3d.h"

class KvDbAttribute;

class KvDbBlockReference : public KvDbEntity {
public:
    KvDbBlockReference() = default;
    const char* isA() const override { return "KvDbBlockReference"; }
    KV_DB_KIND(KvDbBlockReference, kBlockReference, kTable)
    std::u16string dxfName() const override { return u"INSERT"; }

    KvDbObjectId blockTableRecord() const { return m_blockTableRecord; }
    Kvmo::ErrorStatus setBlockTableRecord(KvDbObjectId id);
    KvGePoint3d position() const { return m_position; }
    Kvmo::ErrorStatus setPosition(const KvGePoint3d& p);
    double rotation() const { return m_rotation; }  // radians
    Kvmo::ErrorStatus setRotation(double radians);
    KvGeScale3d scaleFactors() const { return m_rare ? m_rare->scale : KvGeScale3d(); }
    Kvmo::ErrorStatus setScaleFactors(const KvGeScale3d& s);
    KvGeVector3d normal() const { return m_rare ? m_rare->normal : KvGeVector3d(0, 0, 1); }
    Kvmo::ErrorStatus setNormal(const KvGeVector3d& n);

    // Attributes in the reference's order; the iterator is the caller's to delete.
    KvDbObjectIterator* attributeIterator() const;
    // Adds an attribute to a resident reference open for write; the database takes it.
    Kvmo::ErrorStatus appendAttribute(KvDbObjectId& id, KvDbAttribute* attribute);
    std::vector<KvDbObjectId> attributeIds() const { return m_attributes.toVector(); }
    // For the drawing reader: links an attribute already in the database, without open rules.
    void attachLoadedAttribute(KvDbObjectId id) { m_attributes.push_back(id); }

    // Dynamic-block data as the drawing stores it (read through KvDbDynBlockReference).
    KvDbObjectId dynamicBlockRecord() const { return m_rare ? m_rare->record : KvDbObjectId(); }
    void setDynamicBlockRecord(KvDbObjectId id);
    const KvDbDynBlockReferencePropertyArray& dynamicProperties() const;
    void setDynamicProperties(KvDbDynBlockReferencePropertyArray props);

    KvDbBlockReference* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbBlockReference(const KvDbBlockReference& other);

private:
    KvDbObjectId m_blockTableRecord;
    KvGePoint3d m_position;
    double m_rotation = 0.0;
    KvDbObjectIdList m_attributes;
    // Values most references leave at their defaults (scale 1, normal Z, no dynamic block):
    // made on the first other value, so that most references hold a null pointer.
    struct Rare {
        KvGeScale3d scale;
        KvGeVector3d normal = KvGeVector3d(0, 0, 1);
        KvDbObjectId record;
        KvDbDynBlockReferencePropertyArray properties;
    };
    Rare& rare();
    std::unique_ptr<Rare> m_rare;
};
