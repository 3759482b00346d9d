#pragma once
#include <vector>

#include "kv/KvDbSymbolTable.h"
#include "kv/KvGePoint3d.h"

class KvDbEntity;

// Block definition, model space or a layout: an ordered list of entities.
class KvDbBlockTableRecord : public KvDbSymbolTableRecord {
public:
    const char* isA() const override { return "KvDbBlockTableRecord"; }
    KV_DB_KIND(KvDbBlockTableRecord, kBlockTableRecord, kBlockTableRecord)
    std::u16string dxfName() const override { return u"BLOCK_RECORD"; }

    // Appends an entity (the record must be open for write); the database takes it and
    // it is left open for write, for the caller to close.
    Kvmo::ErrorStatus appendKvDbEntity(KvDbObjectId& id, KvDbEntity* entity);
    Kvmo::ErrorStatus appendKvDbEntity(KvDbEntity* entity)
    {
        KvDbObjectId id;
        return appendKvDbEntity(id, entity);
    }
    KvDbObjectIterator* newIterator() const;
    const std::vector<KvDbObjectId>& entityIds() const { return m_entities; }
    // For the drawing reader: links an entity already in the database, without open rules.
    void attachLoadedEntity(KvDbObjectId id);
    // The same for a record the reader found to be a layout of db: no lookup of the record per entity.
    void attachLoadedLayoutEntity(KvDbDatabase& db, KvDbObjectId id);

    bool isAnonymous() const;  // name starts with '*' and is not a layout
    bool isLayout() const;     // model space or a paper space
    KvGePoint3d origin() const { return m_origin; }
    void setOrigin(const KvGePoint3d& p) { m_origin = p; }

private:
    friend class KvDbDatabase;
    std::vector<KvDbObjectId> m_entities;
    KvGePoint3d m_origin;
};

class KvDbLayerTableRecord : public KvDbSymbolTableRecord {
public:
    const char* isA() const override { return "KvDbLayerTableRecord"; }
    KV_DB_KIND(KvDbLayerTableRecord, kLayerTableRecord, kLayerTableRecord)
    std::u16string dxfName() const override { return u"LAYER"; }
    std::int16_t colorIndex = 7;  // negative: the layer is off
    std::int32_t trueColor = -1;  // 0xRRGGBB shown instead of the index, -1 for none
    bool bFrozen = false;         // nothing on it is shown
    std::u16string linetype = u"Continuous";
    int lineWeight = KvDb::kLnWtByLwDefault;
    std::u16string plotStyleName = u"Normal";
};

class KvDbLinetypeTableRecord : public KvDbSymbolTableRecord {
public:
    const char* isA() const override { return "KvDbLinetypeTableRecord"; }
    KV_DB_KIND(KvDbLinetypeTableRecord, kLinetypeTableRecord, kLinetypeTableRecord)
    std::u16string dxfName() const override { return u"LTYPE"; }
    std::u16string description;
};

class KvDbTextStyleTableRecord : public KvDbSymbolTableRecord {
public:
    const char* isA() const override { return "KvDbTextStyleTableRecord"; }
    KV_DB_KIND(KvDbTextStyleTableRecord, kTextStyleTableRecord, kTextStyleTableRecord)
    std::u16string dxfName() const override { return u"STYLE"; }
    double textSize = 0.0;  // 0: height chosen per text
    double xScale = 1.0;    // width factor
    double obliquingAngle = 0.0;
    std::u16string fileName = u"txt";
    std::u16string bigFontFileName;
};

class KvDbRegAppTableRecord : public KvDbSymbolTableRecord {
public:
    const char* isA() const override { return "KvDbRegAppTableRecord"; }
    KV_DB_KIND(KvDbRegAppTableRecord, kRegAppTableRecord, kRegAppTableRecord)
    std::u16string dxfName() const override { return u"APPID"; }
};

#include "kv/KvDbDatabase.h"

inline void KvDbBlockTableRecord::attachLoadedEntity(KvDbObjectId id)
{
    m_entities.push_back(id);
    if (database() != nullptr) database()->noteEntityAppended(objectId(), id);
}

inline void KvDbBlockTableRecord::attachLoadedLayoutEntity(KvDbDatabase& db, KvDbObjectId id)
{
    m_entities.push_back(id);
    db.noteLayoutEntityAppended(id);
}
