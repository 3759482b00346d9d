#include "kv/KvDbDatabase.h"

#include <algorithm>

#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDictionary.h"
#include "kv/KvDbEntity.h"
#include "kv/KvDbSymbolTable.h"
#include "kv/KvDbTableStyle.h"
#include "KvFlatIndex.h"
#include "KvHandleIndex.h"
#include "kvinternal/KvHugePages.h"
#include "kv/KvResbuf.h"

namespace {

// Object ids are unique for the whole session, across drawings.
std::uint64_t g_nextSerial = 1;

// Which database holds each id: runs of consecutive serials, since a database takes its
// serials in long stretches (a drawing being read takes them all in one).
struct OwnerRun {
    std::uint64_t first;
    std::uint64_t count;
    KvDbDatabase* database;
};

// Constant-initialised: no guard of a function's static on each id's lookup.
constinit std::vector<OwnerRun> g_owners;

std::vector<OwnerRun>& idOwners()
{
    return g_owners;
}

const char16_t* const kTableStyleDictionary = u"ACAD_TABLESTYLE";

template <class T>
KvDbObjectId addRoot(KvDbDatabase& db)
{
    KvDbObjectId id;
    db.addKvDbObject(id, new T());
    return id;
}

template <class Record>
KvDbObjectId addRecord(KvDbObjectId tableId, const std::u16string& name, Record* record = nullptr)
{
    if (record == nullptr) record = new Record();
    record->setName(name);
    KvDbSymbolTable* pTable = nullptr;
    KvDbObjectId id;
    if (kvdbOpenObject(pTable, tableId, KvDb::kForWrite) == Kvmo::eOk) {
        pTable->add(id, record);
        pTable->close();
    } else {
        delete record;
    }
    return id;
}

}  // namespace

const KvDbObjectId KvDbObjectId::kNull;

KvDbKind KvDbObjectId::objectKind() const
{
    const KvDbDatabase* pDb = database();
    return pDb ? pDb->kindAt(*this) : KvDbKind::kObject;
}

KvDbDatabase* KvDbObjectId::database() const
{
    if (m_serial == 0) return nullptr;
    const auto& owners = idOwners();
    // The drawing read last owns the last run: no search for its objects.
    if (!owners.empty() && m_serial >= owners.back().first)
        return m_serial - owners.back().first < owners.back().count ? owners.back().database : nullptr;
    auto next = std::upper_bound(owners.begin(), owners.end(), m_serial,
                                 [](std::uint64_t serial, const OwnerRun& run) { return serial < run.first; });
    if (next == owners.begin()) return nullptr;
    const OwnerRun& run = *(next - 1);
    return m_serial - run.first < run.count ? run.database : nullptr;
}

struct KvDbDatabase::Indexes {
    KvSerialRuns positions;  // id serial -> index of m_objects
    KvHandleIndex byHandle;  // handle -> id serial
    // While layout entities come in the order of their ids (as a drawing is read and drawn),
    // a position is found by a search of m_layoutEntities. After the first out of order:
    // index of m_objects -> 1 + index of m_layoutEntities, 0 for objects not in a layout.
    bool layoutIndexed = false;
    std::vector<std::uint32_t> layoutPositions;
    void noteLayoutPosition(std::size_t object, std::size_t position)
    {
        if (layoutPositions.size() <= object) layoutPositions.resize(object + 1);
        // The first position counts when an entity is noted twice.
        if (layoutPositions[object] == 0) layoutPositions[object] = static_cast<std::uint32_t>(position + 1);
    }
};

KvDbDatabase::KvDbDatabase(bool buildDefault) : m_index(std::make_unique<Indexes>())
{
    if (buildDefault) buildDefaultDrawing();
}

KvDbDatabase::~KvDbDatabase()
{
    auto& owners = idOwners();
    std::erase_if(owners, [this](const OwnerRun& run) { return run.database == this; });
    if (kvdbHostApplicationServices()->workingDatabase() == this)
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

void KvDbDatabase::buildDefaultDrawing()
{
    m_blockTable = addRoot<KvDbBlockTable>(*this);
    m_layerTable = addRoot<KvDbLayerTable>(*this);
    m_linetypeTable = addRoot<KvDbLinetypeTable>(*this);
    m_textStyleTable = addRoot<KvDbTextStyleTable>(*this);
    m_regAppTable = addRoot<KvDbRegAppTable>(*this);
    m_namedObjects = addRoot<KvDbDictionary>(*this);

    addRecord<KvDbBlockTableRecord>(m_blockTable, KVDB_MODEL_SPACE);
    addRecord<KvDbBlockTableRecord>(m_blockTable, KVDB_PAPER_SPACE);
    addRecord<KvDbLayerTableRecord>(m_layerTable, u"0");
    for (const char16_t* pName : {u"ByBlock", u"ByLayer", u"Continuous"})
        addRecord<KvDbLinetypeTableRecord>(m_linetypeTable, pName);
    m_textstyle = addRecord<KvDbTextStyleTableRecord>(m_textStyleTable, u"Standard");
    addRecord<KvDbRegAppTableRecord>(m_regAppTable, u"ACAD");

    KvDbDictionary* pNamed = nullptr;
    if (kvdbOpenObject(pNamed, m_namedObjects, KvDb::kForWrite) != Kvmo::eOk) return;
    KvDbObjectId styleDictId;
    pNamed->setAt(kTableStyleDictionary, new KvDbDictionary(), styleDictId);
    pNamed->close();
    KvDbDictionary* pStyles = nullptr;
    if (kvdbOpenObject(pStyles, styleDictId, KvDb::kForWrite) != Kvmo::eOk) return;
    auto* pStandard = new KvDbTableStyle();
    pStandard->setTextStyle(m_textstyle);
    KvDbObjectId standardId;
    pStyles->setAt(u"Standard", pStandard, standardId);
    pStyles->close();
}

Kvmo::ErrorStatus KvDbDatabase::addKvDbObject(KvDbObjectId& id, KvDbObject* object, KvDbHandle handle)
{
    id = KvDbObjectId();
    if (object == nullptr) return Kvmo::eNullObjectPointer;
    if (!object->m_id.isNull()) return Kvmo::eAlreadyInDb;
    if (handle.isNull()) handle = m_handseed;
    // The last handle is never given out: the seed must stay above every handle in use.
    if (handle.value() == kLastHandle) return Kvmo::eOutOfRange;
    if (!m_index->byHandle.insert(handle.value(), g_nextSerial)) return Kvmo::eDuplicateKey;
    if (handle.value() >= m_handseed.value()) m_handseed = KvDbHandle(handle.value() + 1);

    id = KvDbObjectId(g_nextSerial++);
    object->m_id = id;
    object->m_handle = handle;
    m_objects.emplace_back(object);
    m_kinds.push_back(object->kind());
    m_index->positions.append(id.serial());
    m_maxHandle = std::max(m_maxHandle, handle.value());
    auto& owners = idOwners();
    if (!owners.empty() && owners.back().database == this && owners.back().first + owners.back().count == id.serial())
        ++owners.back().count;
    else
        owners.push_back(OwnerRun{id.serial(), 1, this});
    noteChange();
    return Kvmo::eOk;
}

void KvDbDatabase::reserveObjects(std::size_t n)
{
    m_objects.reserve(m_objects.size() + n);
    m_kinds.reserve(m_kinds.size() + n);
    kvAdviseHugePages(m_objects.data(), m_objects.capacity() * sizeof(m_objects[0]));
}

Kvmo::ErrorStatus KvDbDatabase::getKvDbObjectId(KvDbObjectId& id, const KvDbHandle& handle) const
{
    std::uint64_t serial = 0;
    if (!m_index->byHandle.find(handle.value(), serial)) {
        id = KvDbObjectId();
        return Kvmo::eKeyNotFound;
    }
    id = KvDbObjectId(serial);
    return Kvmo::eOk;
}

void KvDbDatabase::setHandseed(KvDbHandle seed)
{
    // Never below a handle in use: the next object would collide with it.
    m_handseed = KvDbHandle(std::max(seed.value(), m_maxHandle + 1));
}

KvDbObject* KvDbDatabase::objectAt(KvDbObjectId id) const
{
    const std::size_t position = m_index->positions.find(id.serial());
    return position == KvSerialRuns::npos ? nullptr : m_objects[position].get();
}

KvDbKind KvDbDatabase::kindAt(KvDbObjectId id) const
{
    const std::size_t position = m_index->positions.find(id.serial());
    return position == KvSerialRuns::npos ? KvDbKind::kObject : m_kinds[position];
}

KvDbObjectId KvDbDatabase::tableStyleDictionaryId() const
{
    const auto* pNamed = kvCast<KvDbDictionary>(objectAt(m_namedObjects));
    KvDbObjectId id;
    if (pNamed) pNamed->getAt(kTableStyleDictionary, id);
    return id;
}

KvDbObjectId KvDbDatabase::modelSpaceId() const
{
    const auto* pBlocks = kvCast<KvDbSymbolTable>(objectAt(m_blockTable));
    KvDbObjectId id;
    if (pBlocks) pBlocks->getAt(KVDB_MODEL_SPACE, id);
    return id;
}

void KvDbDatabase::setSymbolTables(KvDbObjectId blocks, KvDbObjectId layers, KvDbObjectId linetypes,
                                   KvDbObjectId textStyles, KvDbObjectId regApps, KvDbObjectId namedObjects)
{
    m_blockTable = blocks;
    m_layerTable = layers;
    m_linetypeTable = linetypes;
    m_textStyleTable = textStyles;
    m_regAppTable = regApps;
    m_namedObjects = namedObjects;
}

Kvmo::ErrorStatus KvDbDatabase::getBlockTable(KvDbBlockTable*& table, KvDb::OpenMode mode) const
{
    return kvdbOpenObject(table, m_blockTable, mode);
}

Kvmo::ErrorStatus KvDbDatabase::getLayerTable(KvDbLayerTable*& table, KvDb::OpenMode mode) const
{
    return kvdbOpenObject(table, m_layerTable, mode);
}

Kvmo::ErrorStatus KvDbDatabase::getLinetypeTable(KvDbLinetypeTable*& table, KvDb::OpenMode mode) const
{
    return kvdbOpenObject(table, m_linetypeTable, mode);
}

Kvmo::ErrorStatus KvDbDatabase::getTextStyleTable(KvDbTextStyleTable*& table, KvDb::OpenMode mode) const
{
    return kvdbOpenObject(table, m_textStyleTable, mode);
}

Kvmo::ErrorStatus KvDbDatabase::getRegAppTable(KvDbRegAppTable*& table, KvDb::OpenMode mode) const
{
    return kvdbOpenObject(table, m_regAppTable, mode);
}

Kvmo::ErrorStatus KvDbDatabase::getNamedObjectsDictionary(KvDbDictionary*& dict, KvDb::OpenMode mode) const
{
    return kvdbOpenObject(dict, m_namedObjects, mode);
}

Kvmo::ErrorStatus KvDbDatabase::getTableStyleDictionary(KvDbDictionary*& dict, KvDb::OpenMode mode) const
{
    dict = nullptr;
    const KvDbObjectId id = tableStyleDictionaryId();
    return id.isNull() ? Kvmo::eKeyNotFound : kvdbOpenObject(dict, id, mode);
}

void KvDbDatabase::setUcs(const KvGePoint3d& origin, const KvGeVector3d& xdir, const KvGeVector3d& ydir)
{
    m_ucsorg = origin;
    m_ucsxdir = xdir;
    m_ucsydir = ydir;
}

void KvDbDatabase::noteEntityAppended(KvDbObjectId blockId, KvDbObjectId entityId)
{
    const auto* pBlock = kvCast<KvDbBlockTableRecord>(objectAt(blockId));
    if (pBlock && pBlock->isLayout()) noteLayoutEntityAppended(entityId);
}

void KvDbDatabase::noteLayoutEntityAppended(KvDbObjectId entityId)
{
    Indexes& index = *m_index;
    if (!index.layoutIndexed && !m_layoutEntities.empty() && entityId < m_layoutEntities.back()) {
        index.layoutIndexed = true;
        index.layoutPositions.reserve(m_objects.capacity());
        for (std::size_t i = 0; i < m_layoutEntities.size(); ++i)
            if (const std::size_t object = index.positions.find(m_layoutEntities[i].serial());
                object != KvSerialRuns::npos)
                index.noteLayoutPosition(object, i);
    }
    if (index.layoutIndexed)
        if (const std::size_t object = index.positions.find(entityId.serial()); object != KvSerialRuns::npos)
            index.noteLayoutPosition(object, m_layoutEntities.size());
    m_layoutEntities.push_back(entityId);
}

bool KvDbDatabase::layoutPosition(KvDbObjectId id, std::size_t& position) const
{
    if (!m_index->layoutIndexed) {
        // The first of equal ids: an entity noted twice is at its first place.
        const auto it = std::lower_bound(m_layoutEntities.begin(), m_layoutEntities.end(), id);
        if (it == m_layoutEntities.end() || *it != id) return false;
        position = static_cast<std::size_t>(it - m_layoutEntities.begin());
        return true;
    }
    const std::size_t object = m_index->positions.find(id.serial());
    const std::vector<std::uint32_t>& positions = m_index->layoutPositions;
    if (object >= positions.size() || positions[object] == 0) return false;
    position = positions[object] - 1;
    return true;
}

bool KvDbDatabase::canErase(KvDbObjectId id) const
{
    for (const KvDbObjectId& root :
         {m_blockTable, m_layerTable, m_linetypeTable, m_textStyleTable, m_regAppTable, m_namedObjects, modelSpaceId()})
        if (root == id) return false;
    return true;
}

KvDbHostApplicationServices* kvdbHostApplicationServices()
{
    static KvDbHostApplicationServices services;
    return &services;
}

int kvdbRegApp(const char16_t* appName)
{
    KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    if (pDb == nullptr || appName == nullptr || *appName == 0) return RTERROR;
    KvDbRegAppTable* pTable = nullptr;
    if (pDb->getRegAppTable(pTable, KvDb::kForRead) != Kvmo::eOk) return RTERROR;
    const bool bKnown = pTable->has(appName);
    if (bKnown) {
        pTable->close();
        return RTNORM;
    }
    if (pTable->upgradeOpen() != Kvmo::eOk) {
        pTable->close();
        return RTERROR;
    }
    auto* pRecord = new KvDbRegAppTableRecord();
    pRecord->setName(appName);
    KvDbObjectId id;
    const Kvmo::ErrorStatus es = pTable->add(id, pRecord);
    if (es != Kvmo::eOk) delete pRecord;
    pTable->close();
    return es == Kvmo::eOk ? RTNORM : RTERROR;
}
