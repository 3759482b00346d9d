#pragma once
#include <map>

#include "kv/KvDbObject.h"

// Named-object dictionary: entries by name (ordinal order), values are object ids.
class KvDbDictionary : public KvDbObject {
public:
    const char* isA() const override { return "KvDbDictionary"; }
    KV_DB_KIND(KvDbDictionary, kDictionary, kDictionary)
    std::u16string dxfName() const override { return u"DICTIONARY"; }

    Kvmo::ErrorStatus getAt(const std::u16string& name, KvDbObjectId& id) const;
    template <class T>
    Kvmo::ErrorStatus getAt(const std::u16string& name, T*& object, KvDb::OpenMode mode) const
    {
        object = nullptr;
        KvDbObjectId id;
        Kvmo::ErrorStatus es = getAt(name, id);
        return es == Kvmo::eOk ? kvdbOpenObject(object, id, mode) : es;
    }
    // Adds (the database takes a new object) or re-points an entry; needs a write open.
    Kvmo::ErrorStatus setAt(const std::u16string& name, KvDbObject* object, KvDbObjectId& id);
    Kvmo::ErrorStatus setAt(const std::u16string& name, KvDbObjectId existing);
    Kvmo::ErrorStatus remove(const std::u16string& name);
    bool has(const std::u16string& name) const { return m_entries.count(name) != 0; }
    std::size_t numEntries() const { return m_entries.size(); }
    const std::map<std::u16string, KvDbObjectId>& entries() const { return m_entries; }
    // For the drawing reader: links an object already in the database, without open rules.
    void attachLoadedEntry(const std::u16string& name, KvDbObjectId id) { m_entries[name] = id; }

private:
    std::map<std::u16string, KvDbObjectId> m_entries;
};

// A list of typed values stored in a dictionary.
class KvDbXrecord : public KvDbObject {
public:
    const char* isA() const override { return "KvDbXrecord"; }
    KV_DB_KIND(KvDbXrecord, kXrecord, kXrecord)
    std::u16string dxfName() const override { return u"XRECORD"; }
    const KvTypedValueList& data() const { return m_data; }
    void setData(KvTypedValueList data) { m_data = std::move(data); }

private:
    KvTypedValueList m_data;
};

// Any non-graphical object the database does not interpret, kept by its type name.
class KvDbGenericObject : public KvDbObject {
public:
    explicit KvDbGenericObject(std::u16string typeName) : m_typeName(std::move(typeName)) {}
    const char* isA() const override { return "KvDbGenericObject"; }
    KV_DB_KIND(KvDbGenericObject, kGenericObject, kGenericObject)
    std::u16string dxfName() const override { return m_typeName; }

private:
    std::u16string m_typeName;
};
