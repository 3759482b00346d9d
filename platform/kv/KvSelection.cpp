#include <algorithm>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "KvInternal.h"
#include "kvinternal/KvAsciiCase.h"
#include "kv/KvConsole.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvEdInputProvider.h"

namespace {

// Selection sets alive until kvedSSFree, by the number in their name.
std::map<std::int64_t, std::vector<KvDbObjectId>>& selectionSets()
{
    static std::map<std::int64_t, std::vector<KvDbObjectId>> sets;
    return sets;
}
std::int64_t g_nextSet = 1;
constexpr std::int64_t kSelectionSetMark = 0x5353;  // second word of a selection-set name

bool isSelectable(const KvDbDatabase& db, KvDbObjectId id)
{
    const auto* pEntity = kvCast<KvDbEntity>(db.objectAt(id));
    if (pEntity == nullptr || pEntity->isErased()) return false;
    const auto* pOwner = kvCast<KvDbBlockTableRecord>(db.objectAt(pEntity->ownerId()));
    return pOwner != nullptr && pOwner->isLayout();
}

std::vector<KvDbObjectId> everyEntity(const KvDbDatabase& db)
{
    std::vector<KvDbObjectId> ids;
    ids.reserve(db.layoutEntitiesInOrder().size());
    // As isSelectable, with the owner's verdict kept: a layout's entities follow one another.
    KvDbObjectId lastOwner;
    bool bLastOwnerIsLayout = false;
    const std::vector<KvDbObjectId>& entities = db.layoutEntitiesInOrder();
    // Little is done with each: on a large drawing the walk waits on memory unless the entity a
    // few places on is asked for early.
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        if (i + kAhead < entities.size()) __builtin_prefetch(db.objectAt(entities[i + kAhead]));
        const KvDbObjectId id = entities[i];
        const auto* pEntity = kvCast<KvDbEntity>(db.objectAt(id));
        if (pEntity == nullptr || pEntity->isErased()) continue;
        if (pEntity->ownerId() != lastOwner || lastOwner.isNull()) {
            lastOwner = pEntity->ownerId();
            const auto* pOwner = kvCast<KvDbBlockTableRecord>(db.objectAt(lastOwner));
            bLastOwnerIsLayout = pOwner != nullptr && pOwner->isLayout();
        }
        if (bLastOwnerIsLayout && db.wholeOf(id).isNull()) ids.push_back(id);
    }
    return ids;
}

// One filter entry may list several names separated by commas; "*" matches any.
bool nameMatches(const std::u16string& pattern, const std::u16string& name)
{
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t comma = pattern.find(u',', start);
        if (comma == std::u16string::npos) comma = pattern.size();
        const std::u16string_view item = std::u16string_view(pattern).substr(start, comma - start);
        if (item == u"*" || kvAsciiEqualNoCase(item, name)) return true;
        start = comma + 1;
    }
    return false;
}

// Group 0 entries restrict the entity type, group 8 entries the layer; an entity passes
// when it matches one entry of each group the filter has.
bool passesFilter(const KvDbEntity& entity, const resbuf* filter)
{
    bool bHasType = false, bTypeOk = false, bHasLayer = false, bLayerOk = false;
    for (const resbuf* rb = filter; rb != nullptr; rb = rb->rbnext) {
        if ((rb->restype == 0 || rb->restype == RTDXF0) && rb->resval.rstring) {
            bHasType = true;
            bTypeOk = bTypeOk || nameMatches(rb->resval.rstring, entity.dxfName());
        } else if (rb->restype == 8 && rb->resval.rstring) {
            bHasLayer = true;
            bLayerOk = bLayerOk || nameMatches(rb->resval.rstring, entity.layer());
        }
    }
    return (!bHasType || bTypeOk) && (!bHasLayer || bLayerOk);
}

// Handles the user named, as entities of the drawing's layouts; unknown ones are reported.
std::vector<KvDbObjectId> resolveHandles(const KvDbDatabase& db, const std::vector<KvDbHandle>& handles)
{
    std::vector<KvDbObjectId> ids;
    for (const KvDbHandle& handle : handles) {
        KvDbObjectId id;
        if (db.getKvDbObjectId(id, handle) == Kvmo::eOk && isSelectable(db, id)) {
            // Picking a part of an entity picks the entity.
            ids.push_back(db.wholeOf(id).isNull() ? id : db.wholeOf(id));
        } else {
            KvConsole::instance().write(u"\nNo object with handle " + handle.text() + u" in the drawing.");
        }
    }
    return ids;
}

}  // namespace

int kvedSSGet(const char16_t* mode, const void*, const void*, const resbuf* filter, kv_name ss)
{
    ss[0] = ss[1] = 0;
    const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    if (pDb == nullptr) return RTERROR;
    const std::u16string csMode = mode ? kvAsciiUpper(mode) : std::u16string();
    std::vector<KvDbObjectId> candidates;
    bool bMayRepeat = false;  // the user may name one object twice; the drawing lists each once
    if (mode == nullptr) {
        KvEdInputProvider* pInput = kvedInputProvider();
        if (pInput == nullptr) return RTCAN;
        const std::u16string prompt = u"\nSelect objects: ";
        KvConsole::instance().write(prompt);
        std::vector<KvDbHandle> handles;
        bool bAll = false;
        const int rc = pInput->selectObjects(prompt, handles, bAll);
        if (rc != RTNORM) return rc;
        candidates = bAll ? everyEntity(*pDb) : resolveHandles(*pDb, handles);
        bMayRepeat = !bAll;
    } else if (csMode == u"A" || csMode == u"X") {
        candidates = everyEntity(*pDb);
    } else if (csMode == u":S") {
        KvEdInputProvider* pInput = kvedInputProvider();
        if (pInput == nullptr) return RTCAN;
        const std::u16string prompt = u"\nSelect object: ";
        KvConsole::instance().write(prompt);
        KvDbHandle handle;
        const int rc = pInput->pickFilteredObject(
            prompt, [filter](const KvDbEntity& entity) { return passesFilter(entity, filter); }, handle);
        if (rc != RTNORM) return rc;
        candidates = resolveHandles(*pDb, {handle});
        bMayRepeat = true;
    } else {
        return RTERROR;  // a selection mode this host does not offer
    }

    std::vector<KvDbObjectId> selected;
    if (filter == nullptr && !bMayRepeat) {
        // Each candidate is a selectable entity met once: no second walk over every object.
        selected = std::move(candidates);
    } else {
        selected.reserve(candidates.size());
        std::unordered_set<KvDbObjectId> seen;
        for (const KvDbObjectId& id : candidates) {
            const auto* pEntity = kvCast<KvDbEntity>(pDb->objectAt(id));
            if (pEntity && passesFilter(*pEntity, filter) && (!bMayRepeat || seen.insert(id).second))
                selected.push_back(id);
        }
    }
    if (selected.empty()) return RTERROR;
    const std::int64_t number = g_nextSet++;
    selectionSets()[number] = std::move(selected);
    ss[0] = number;
    ss[1] = kSelectionSetMark;
    return RTNORM;
}

int kvedSSLength(const kv_name ss, std::int32_t* length)
{
    const auto it = selectionSets().find(ss[0]);
    if (it == selectionSets().end() || ss[1] != kSelectionSetMark || length == nullptr) return RTERROR;
    *length = static_cast<std::int32_t>(it->second.size());
    return RTNORM;
}

int kvedSSName(const kv_name ss, std::int32_t index, kv_name entity)
{
    entity[0] = entity[1] = 0;
    const auto it = selectionSets().find(ss[0]);
    if (it == selectionSets().end() || ss[1] != kSelectionSetMark || index < 0 ||
        static_cast<std::size_t>(index) >= it->second.size())
        return RTERROR;
    return kvdbGetAdsName(entity, it->second[static_cast<std::size_t>(index)]) == Kvmo::eOk ? RTNORM : RTERROR;
}

int kvedSSFree(const kv_name ss)
{
    if (ss[1] != kSelectionSetMark) return RTERROR;
    return selectionSets().erase(ss[0]) ? RTNORM : RTERROR;
}
