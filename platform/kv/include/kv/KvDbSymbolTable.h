#pragma once
#include <map>
#include <memory>
#include <vector>

#include "kv/KvDbObject.h"
#include "kv/KvDbObjectIterator.h"

// Named record of a symbol table (layer, linetype, text style, block, application).
class KvDbSymbolTableRecord : public KvDbObject {
public:
    const char* isA() const override { return "KvDbSymbolTableRecord"; }
    KV_DB_KIND(KvDbSymbolTableRecord, kSymbolTableRecord, kRegAppTableRecord)
    const std::u16string& getName() const { return m_name; }
    Kvmo::ErrorStatus getName(std::u16string& name) const
    {
        name = m_name;
        return Kvmo::eOk;
    }
    Kvmo::ErrorStatus setName(const std::u16string& name);

private:
    std::u16string m_name;
};

// A symbol table: records by name, compared ignoring case as the host does.
class KvDbSymbolTable : public KvDbObject {
public:
    const char* isA() const override { return "KvDbSymbolTable"; }
    KV_DB_KIND(KvDbSymbolTable, kSymbolTable, kRegAppTable)

    bool has(const std::u16string& name) const;
    Kvmo::ErrorStatus getAt(const std::u16string& name, KvDbObjectId& id) const;
    template <class T>
    Kvmo::ErrorStatus getAt(const std::u16string& name, T*& record, KvDb::OpenMode mode) const
    {
        record = nullptr;
        KvDbObjectId id;
        Kvmo::ErrorStatus es = getAt(name, id);
        return es == Kvmo::eOk ? kvdbOpenObject(record, id, mode) : es;
    }
    // Adds a record (the table must be open for write); the database takes it.
    Kvmo::ErrorStatus add(KvDbObjectId& id, KvDbSymbolTableRecord* record);
    KvDbObjectIterator* newIterator() const;
    const std::vector<KvDbObjectId>& recordIds() const { return m_records; }
    // For the drawing reader: links a record already in the database, without open rules.
    void attachLoadedRecord(KvDbObjectId id) { m_records.push_back(id); }

private:
    friend class KvDbSymbolTableRecord;
    std::vector<KvDbObjectId> m_records;
};

class KvDbBlockTableRecord;

class KvDbBlockTable : public KvDbSymbolTable {
public:
    const char* isA() const override { return "KvDbBlockTable"; }
    KV_DB_KIND(KvDbBlockTable, kBlockTable, kBlockTable)
    std::u16string dxfName() const override { return u"BLOCK_RECORD"; }
};
class KvDbLayerTable : public KvDbSymbolTable {
public:
    const char* isA() const override { return "KvDbLayerTable"; }
    KV_DB_KIND(KvDbLayerTable, kLayerTable, kLayerTable)
    std::u16string dxfName() const override { return u"LAYER"; }
};
class KvDbLinetypeTable : public KvDbSymbolTable {
public:
    const char* isA() const override { return "KvDbLinetypeTable"; }
    KV_DB_KIND(KvDbLinetypeTable, kLinetypeTable, kLinetypeTable)
    std::u16string dxfName() const override { return u"LTYPE"; }
};
class KvDbTextStyleTable : public KvDbSymbolTable {
public:
    const char* isA() const override { return "KvDbTextStyleTable"; }
    KV_DB_KIND(KvDbTextStyleTable, kTextStyleTable, kTextStyleTable)
    std::u16string dxfName() const override { return u"STYLE"; }
};
class KvDbRegAppTable : public KvDbSymbolTable {
public:
    const char* isA() const override { return "KvDbRegAppTable"; }
    KV_DB_KIND(KvDbRegAppTable, kRegAppTable, kRegAppTable)
    std::u16string dxfName() const override { return u"APPID"; }
};

extern const char16_t* const KVDB_MODEL_SPACE;  // "*Model_Space"
extern const char16_t* const KVDB_PAPER_SPACE;  // "*Paper_Space"
