#pragma once
#include <cstddef>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "kv/KvDbObject.h"
#include "kv/KvGePoint3d.h"

class KvDbBlockTable;
class KvDbLayerTable;
class KvDbLinetypeTable;
class KvDbTextStyleTable;
class KvDbRegAppTable;
class KvDbDictionary;
class KvDbEntity;

// An in-memory drawing: owns its objects, gives out handles, keeps entity creation order.
class KvDbDatabase {
public:
    // A new drawing has the block table with "*Model_Space" and "*Paper_Space", layer "0",
    // linetypes "ByBlock", "ByLayer", "Continuous", text style "Standard", application
    // "ACAD", and the named-object dictionary with "ACAD_TABLESTYLE" holding "Standard".
    // With buildDefaultDrawing false the database is empty (a file reader fills it).
    explicit KvDbDatabase(bool buildDefaultDrawing = true);
    ~KvDbDatabase();
    KvDbDatabase(const KvDbDatabase&) = delete;
    KvDbDatabase& operator=(const KvDbDatabase&) = delete;

    // Takes ownership and makes the object resident. A null handle takes the next free
    // one from the seed; a given handle must be unused (eDuplicateKey) and raises the seed
    // above it. Handles never wrap: kLastHandle is refused (eOutOfRange), so a seed that has
    // reached it gives no more handles. On failure the caller keeps the object.
    static constexpr std::uint64_t kLastHandle = ~std::uint64_t{0};
    Kvmo::ErrorStatus addKvDbObject(KvDbObjectId& id, KvDbObject* object, KvDbHandle handle = KvDbHandle());
    Kvmo::ErrorStatus getKvDbObjectId(KvDbObjectId& id, const KvDbHandle& handle) const;
    KvDbHandle handseed() const { return m_handseed; }
    void setHandseed(KvDbHandle seed);
    // Direct access for the host's own code (file reading and writing, tests); no open rules.
    KvDbObject* objectAt(KvDbObjectId id) const;
    // The kind of the object objectAt gives, without visiting it; kObject for none.
    KvDbKind kindAt(KvDbObjectId id) const;

    KvDbObjectId blockTableId() const { return m_blockTable; }
    KvDbObjectId layerTableId() const { return m_layerTable; }
    KvDbObjectId linetypeTableId() const { return m_linetypeTable; }
    KvDbObjectId textStyleTableId() const { return m_textStyleTable; }
    KvDbObjectId regAppTableId() const { return m_regAppTable; }
    KvDbObjectId namedObjectsDictionaryId() const { return m_namedObjects; }
    KvDbObjectId tableStyleDictionaryId() const;
    KvDbObjectId modelSpaceId() const;
    void setSymbolTables(KvDbObjectId blocks, KvDbObjectId layers, KvDbObjectId linetypes, KvDbObjectId textStyles,
                         KvDbObjectId regApps, KvDbObjectId namedObjects);

    Kvmo::ErrorStatus getBlockTable(KvDbBlockTable*& table, KvDb::OpenMode mode) const;
    Kvmo::ErrorStatus getLayerTable(KvDbLayerTable*& table, KvDb::OpenMode mode) const;
    Kvmo::ErrorStatus getLinetypeTable(KvDbLinetypeTable*& table, KvDb::OpenMode mode) const;
    Kvmo::ErrorStatus getTextStyleTable(KvDbTextStyleTable*& table, KvDb::OpenMode mode) const;
    Kvmo::ErrorStatus getRegAppTable(KvDbRegAppTable*& table, KvDb::OpenMode mode) const;
    Kvmo::ErrorStatus getNamedObjectsDictionary(KvDbDictionary*& dict, KvDb::OpenMode mode) const;
    Kvmo::ErrorStatus getTableStyleDictionary(KvDbDictionary*& dict, KvDb::OpenMode mode) const;

    // Drawing variables.
    short luprec() const { return m_luprec; }
    void setLuprec(short n) { m_luprec = n; }
    KvGePoint3d ucsorg() const { return m_ucsorg; }
    KvGeVector3d ucsxdir() const { return m_ucsxdir; }
    KvGeVector3d ucsydir() const { return m_ucsydir; }
    void setUcs(const KvGePoint3d& origin, const KvGeVector3d& xdir, const KvGeVector3d& ydir);
    KvDbObjectId textstyle() const { return m_textstyle; }  // current text style
    void setTextstyle(KvDbObjectId id) { m_textstyle = id; }

    // Entities of the layouts (model and paper spaces) in creation order, erased ones included.
    const std::vector<KvDbObjectId>& layoutEntitiesInOrder() const { return m_layoutEntities; }
    // Index of a layout entity in that order; false when the id is not a layout entity.
    bool layoutPosition(KvDbObjectId id, std::size_t& position) const;
    // Entities that are shown as part of another (the further columns and the frames of a
    // multi-column text, as older drawings store them): selections see the whole only.
    void setPartOf(KvDbObjectId part, KvDbObjectId whole) { m_partOf[part.serial()] = whole; }
    // The entity a part belongs to; null for an entity of its own.
    KvDbObjectId wholeOf(KvDbObjectId id) const
    {
        if (m_partOf.empty()) return KvDbObjectId();
        auto it = m_partOf.find(id.serial());
        return it == m_partOf.end() ? KvDbObjectId() : it->second;
    }
    // Room for n more objects: a drawing being read knows roughly how many it holds.
    void reserveObjects(std::size_t n);
    // The ids of the objects in the order they were added, read from the objects themselves
    // (no second list of hundreds of thousands of ids).
    class ObjectIds {
    public:
        using Objects = std::vector<std::unique_ptr<KvDbObject>>;
        class iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = KvDbObjectId;
            using difference_type = std::ptrdiff_t;
            using pointer = void;
            using reference = KvDbObjectId;
            iterator() = default;
            explicit iterator(Objects::const_iterator at) : m_at(at) {}
            KvDbObjectId operator*() const { return (*m_at)->objectId(); }
            iterator& operator++()
            {
                ++m_at;
                return *this;
            }
            iterator operator++(int) { return iterator(m_at++); }
            bool operator==(const iterator&) const = default;

        private:
            Objects::const_iterator m_at;
        };
        explicit ObjectIds(const Objects& objects) : m_objects(&objects) {}
        iterator begin() const { return iterator(m_objects->begin()); }
        iterator end() const { return iterator(m_objects->end()); }
        std::size_t size() const { return m_objects->size(); }
        bool empty() const { return m_objects->empty(); }
        KvDbObjectId front() const { return m_objects->front()->objectId(); }
        KvDbObjectId operator[](std::size_t i) const { return (*m_objects)[i]->objectId(); }

    private:
        const Objects* m_objects;
    };
    ObjectIds allObjects() const { return ObjectIds(m_objects); }
    // Bumps on every write open and erase; savers compare it to know whether anything changed.
    unsigned long changeCounter() const { return m_changeCounter; }

private:
    friend class KvDbObject;
    friend class KvDbBlockTableRecord;
    friend Kvmo::ErrorStatus kvdbOpenKvDbObject(KvDbObject*&, KvDbObjectId, KvDb::OpenMode, bool);
    void noteEntityAppended(KvDbObjectId blockId, KvDbObjectId entityId);
    void noteLayoutEntityAppended(KvDbObjectId entityId);
    void noteChange() { ++m_changeCounter; }
    bool canErase(KvDbObjectId id) const;
    void buildDefaultDrawing();

    // Objects in the order they were added, and their kinds: a byte each stays in the cache.
    std::vector<std::unique_ptr<KvDbObject>> m_objects;
    std::vector<KvDbKind> m_kinds;
    struct Indexes;  // by id serial and by handle; the library's own
    std::unique_ptr<Indexes> m_index;
    std::uint64_t m_maxHandle = 0;
    std::vector<KvDbObjectId> m_layoutEntities;
    std::unordered_map<std::uint64_t, KvDbObjectId> m_partOf;  // few: only multi-part texts
    KvDbHandle m_handseed = KvDbHandle(1);
    KvDbObjectId m_blockTable, m_layerTable, m_linetypeTable, m_textStyleTable, m_regAppTable, m_namedObjects;
    KvDbObjectId m_textstyle;
    short m_luprec = 4;
    KvGePoint3d m_ucsorg;
    KvGeVector3d m_ucsxdir = KvGeVector3d(1, 0, 0);
    KvGeVector3d m_ucsydir = KvGeVector3d(0, 1, 0);
    unsigned long m_changeCounter = 0;
};

// The host's services: the drawing commands work on.
class KvDbHostApplicationServices {
public:
    KvDbDatabase* workingDatabase() const { return m_working; }
    void setWorkingDatabase(KvDbDatabase* db) { m_working = db; }

private:
    KvDbDatabase* m_working = nullptr;
};
KvDbHostApplicationServices* kvdbHostApplicationServices();

// Registers an application name in the working database (RTNORM; also when it exists).
int kvdbRegApp(const char16_t* appName);
