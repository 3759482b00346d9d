// The link resolver: once everything is read, the objects go into the database, into their
// owners, and the names and handles they refer to become ids.
#include "DxfReaderState.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <optional>
#include <sstream>
#include <unordered_map>

#include "DxfDynamicBlocks.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDictionary.h"
#include "kv/KvDbMText.h"
#include "kv/KvDbObjectPointer.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbTableStyle.h"
#include "kv/KvDbText.h"
#include "kvinternal/KvAsciiCase.h"

namespace dxfreader {

KvDbObjectId Reader::addWithNewHandle(KvDbObject* object, std::uint64_t offset)
{
    KvDbObjectId id;
    if (m_db.addKvDbObject(id, object) == Kvmo::eOk) return id;
    const std::string what = "no handle left for new objects ($HANDSEED " + hexText(m_db.handseed().value()) + ")";
    if (offset == kNoOffset) m_in.fail(what);
    failAt(offset, what);
}

KvDbObjectId Reader::addMadeUp(KvDbObject* object)
{
    std::unique_ptr<KvDbObject> owner(object);
    KvDbObjectId id = addWithNewHandle(object, kNoOffset);
    owner.release();
    m_doc.synthetic.insert(id.serial());
    return id;
}

// The host shows such a text as one MText with the whole text: the further columns' texts follow
// the first's after column breaks. The parts stay in the file as they are.
void Reader::joinMultiPartTexts()
{
    for (std::uint32_t index : m_multiPartTexts) {
        auto* text = static_cast<KvDbMText*>(m_staged[index].object);
        std::u16string contents = text->contents();
        bool inColumns = false, inFrames = false, acad = false;
        for (const KvTypedValue& v : text->xDataValues()) {
            if (v.code == 1001) acad = v.text() && *v.text() == u"ACAD";
            if (!acad) continue;
            if (v.code == 1000 && v.text()) {
                const std::u16string& marker = *v.text();
                inColumns = marker == kColumnsBegin || (inColumns && marker != kColumnsEnd);
                inFrames = marker == kFramesBegin || (inFrames && marker != kFramesEnd);
            }
            if (v.code != 1005 || !v.text() || !(inColumns || inFrames)) continue;
            const KvDbObjectId part = idOf(KvDbHandle::fromText(*v.text()).value());
            auto* entity = kvCast<KvDbEntity>(m_db.objectAt(part));
            // A part belongs to one text, and is no multi-part text itself.
            if (!entity || part == text->objectId() || !m_db.wholeOf(part).isNull() ||
                hasFurtherParts(entity->xDataValues()))
                continue;
            auto* column = kvCast<KvDbMText>(entity);
            if (inColumns && !column) continue;
            m_db.setPartOf(part, text->objectId());
            // A column break between columns, unless the text ends with one already.
            if (column && !column->contents().empty())
                contents += (contents.ends_with(u"\\N") ? u"" : u"\\N") + column->contents();
        }
        if (contents == text->contents()) continue;
        {
            const KvDbObjectPointer<KvDbMText> opened(text->objectId(), KvDb::kForWrite);
            if (opened) opened->setContents(std::move(contents));
        }
        text->setModifiedSinceLoad(false);
    }
}

void Reader::finish()
{
    storeObjects();
    {
        // The chunks learn their objects' numbers beside the linking: they only read the stored ids.
        // Its error comes first, as it would on one thread.
        std::size_t unnumbered = 0;
        auto number = [&] { unnumbered = numberChunks(); };
        Beside numbering(number);
        auto tooMany = [&] {
            numbering.join();
            if (unnumbered < m_doc.chunks.size()) failAt(m_doc.chunks[unnumbered].begin, "too many objects");
        };
        try {
            addMissingTables();
            attachToOwners();
        } catch (...) {
            tooMany();
            throw;
        }
        tooMany();
    }
    resolveLinks();
    joinMultiPartTexts();
    dxfResolveDynamicBlocks(m_db, m_doc, m_references);
    for (KvDbObjectId id : m_tables) m_db.objectAt(id)->setModifiedSinceLoad(false);
    m_db.objectAt(m_root)->setModifiedSinceLoad(false);
    m_doc.changeCounterAtLoad = m_db.changeCounter();
    m_doc.handseedAtLoad = m_db.handseed().value();
}

KvDbObjectId Reader::idOf(std::uint64_t handle) const
{
    KvDbObjectId id;
    if (handle != 0) m_db.getKvDbObjectId(id, KvDbHandle(handle));
    return id;
}

void Reader::storeObjects()
{
    // New objects take handles above every handle of the file; the last one leaves no room.
    if (m_maxHandle == KvDbDatabase::kLastHandle)
        failAt(m_maxHandleOffset, "handle " + hexText(m_maxHandle) + " leaves no room for new objects");
    // Into the database in file order: objects with their own handle first, so that made-up
    // handles for the others (R12) cannot collide with any of the file's.
    // Serials only grow: the first object stored has the least.
    m_doc.firstSerial = ~std::uint64_t{0};
    bool withoutHandle = false;
    for (Staged& s : m_staged) {
        if (s.handle == 0) {
            withoutHandle = true;
            continue;
        }
        KvDbObjectId id;
        Kvmo::ErrorStatus es = m_db.addKvDbObject(id, s.object, KvDbHandle(s.handle));
        if (es == Kvmo::eDuplicateKey) failAt(s.offset, "duplicate handle " + hexText(s.handle));
        if (es != Kvmo::eOk) failAt(s.offset, "object could not be stored");
        s.owned = false;
        s.objectId = id;
        m_doc.firstSerial = std::min(m_doc.firstSerial, id.serial());
    }
    m_db.setHandseed(KvDbHandle(std::max(m_maxHandle + 1, m_fileHandseed)));
    for (Staged& s : m_staged) {
        if (!withoutHandle) break;
        if (!s.owned) continue;
        s.objectId = addWithNewHandle(s.object, s.offset);
        s.owned = false;
        m_doc.firstSerial = std::min(m_doc.firstSerial, s.objectId.serial());
        if (s.synthetic) m_doc.synthetic.insert(s.objectId.serial());
    }
}

std::size_t Reader::numberChunks()
{
    for (std::size_t i = 0; i < m_doc.chunks.size(); ++i)
        if (m_chunkStaged[i] != kNone && !m_doc.setChunkId(m_doc.chunks[i], m_staged[m_chunkStaged[i]].id())) return i;
    return m_doc.chunks.size();
}

// Symbol tables: the five the database knows; R12 block records go to a made-up table.
void Reader::addMissingTables()
{
    for (int k = 0; k < 5; ++k)
        if (m_tableStaged[k] != kNone) m_tables[k] = m_staged[m_tableStaged[k]].id();
    for (int k = 0; k < 5; ++k) {
        if (!m_tables[k].isNull()) continue;
        KvDbObject* t = k == 0   ? static_cast<KvDbObject*>(new KvDbBlockTable)
                        : k == 1 ? static_cast<KvDbObject*>(new KvDbLayerTable)
                        : k == 2 ? static_cast<KvDbObject*>(new KvDbLinetypeTable)
                        : k == 3 ? static_cast<KvDbObject*>(new KvDbTextStyleTable)
                                 : static_cast<KvDbObject*>(new KvDbRegAppTable);
        m_tables[k] = addMadeUp(t);
    }
    m_root = m_rootDictionary != kNone ? m_staged[m_rootDictionary].id() : addMadeUp(new KvDbDictionary);
    m_db.setSymbolTables(m_tables[0], m_tables[1], m_tables[2], m_tables[3], m_tables[4], m_root);
}

void Reader::attachToOwners()
{
    auto* blockTable = static_cast<KvDbSymbolTable*>(m_db.objectAt(m_tables[0]));
    // Entities of the ENTITIES section name their layout: nearly always the same one.
    std::uint64_t layoutHandle = 0;
    KvDbObjectId layoutId;
    KvDbBlockTableRecord* layout = nullptr;
    bool isLayout = false;
    std::uint32_t lastParent = kNone;
    bool parentIsLayout = false;
    for (const auto& [staged, handle] : m_xdictionaries) m_staged[staged].object->setExtensionDictionary(idOf(handle));
    for (Staged& s : m_staged) {
        KvDbObject* o = s.object;
        if (s.kind == kBlockRecord && s.synthetic) blockTable->attachLoadedRecord(s.id());
        std::uint32_t parent = s.parent;
        if (s.ownerFirst) {
            if (s.owner != layoutHandle || !layout) {
                layoutHandle = s.owner;
                layoutId = idOf(s.owner);
                layout = kvCast<KvDbBlockTableRecord>(m_db.objectAt(layoutId));
                isLayout = layout && layout->isLayout();
            }
            if (layout) {
                if (isLayout)
                    layout->attachLoadedLayoutEntity(m_db, s.id());
                else
                    layout->attachLoadedEntity(s.id());
                o->setOwnerId(layoutId);
                continue;
            }
        }
        const Staged* p = parent == kNone ? nullptr : &m_staged[parent];
        if (p && p->kind == kBlockRecord) {
            auto* block = static_cast<KvDbBlockTableRecord*>(p->object);
            if (parent != lastParent) lastParent = parent, parentIsLayout = block->isLayout();
            if (parentIsLayout)
                block->attachLoadedLayoutEntity(m_db, s.id());
            else
                block->attachLoadedEntity(s.id());
            o->setOwnerId(p->id());
        } else if (p && p->kind == kReference) {
            static_cast<KvDbBlockReference*>(p->object)->attachLoadedAttribute(s.id());
            o->setOwnerId(p->id());
        } else if (s.owner) {
            o->setOwnerId(idOf(s.owner));
        }
    }
}

// References between objects, by handle or by name, now that every object is in place.
void Reader::resolveLinks()
{
    // Names of text styles and of the plot styles (the ACAD_PLOTSTYLENAME dictionary).
    std::unordered_map<std::u16string, KvDbObjectId> textStyles;
    // Taken from the staged records: they join their table only when the links below are made.
    for (std::uint32_t style : m_styleRecords)
        textStyles[kvAsciiUpper(static_cast<KvDbSymbolTableRecord*>(m_staged[style].object)->getName())] =
            m_staged[style].id();
    for (KvDbObjectId id : static_cast<KvDbSymbolTable*>(m_db.objectAt(m_tables[3]))->recordIds())
        if (auto* r = kvCast<KvDbSymbolTableRecord>(m_db.objectAt(id))) textStyles[kvAsciiUpper(r->getName())] = id;
    std::unordered_map<std::uint64_t, std::u16string> plotStyleNames;
    for (const Link& l : m_links) {
        if (l.kind != LinkKind::kDictEntry) continue;
        KvDbObjectId target = idOf(l.handle);
        auto* dict = static_cast<KvDbDictionary*>(m_db.objectAt(m_staged[l.staged].id()));
        if (!target.isNull()) dict->attachLoadedEntry(name(l.name), target);
    }
    {
        auto* rootDict = static_cast<KvDbDictionary*>(m_db.objectAt(m_root));
        KvDbObjectId plotStyles;
        if (rootDict->getAt(u"ACAD_PLOTSTYLENAME", plotStyles) == Kvmo::eOk)
            if (auto* d = kvCast<KvDbDictionary>(m_db.objectAt(plotStyles)))
                for (const auto& [name, id] : d->entries())
                    if (KvDbObject* ps = m_db.objectAt(id)) plotStyleNames[ps->handle().value()] = name;
        KvDbObjectId styles;
        if (rootDict->getAt(u"ACAD_TABLESTYLE", styles) == Kvmo::eOk)
            if (auto* d = kvCast<KvDbDictionary>(m_db.objectAt(styles))) {
                for (const auto& [name, id] : d->entries())
                    if (auto* ts = kvCast<KvDbTableStyle>(m_db.objectAt(id))) ts->setName(name);
                // Tables go by "Standard": a drawing without it gets one, written only with a table.
                if (!d->has(u"Standard")) {
                    auto standard = std::make_unique<KvDbTableStyle>();
                    KvDbObjectId id = addWithNewHandle(standard.get(), kNoOffset);
                    standard.release()->setOwnerId(styles);
                    d->attachLoadedEntry(u"Standard", id);
                    m_standardTableStyle = id;
                }
            }
    }
    // Each distinct name is looked up once.
    constexpr std::uint32_t kUnknown = kNone - 1;
    std::vector<std::uint32_t> blockMemo(m_names.size(), kUnknown);
    auto blockFor = [&](std::uint32_t n) {
        if (blockMemo[n] == kUnknown) {
            auto it = m_blocksByName.find(kvAsciiUpper(name(n)));
            blockMemo[n] = it == m_blocksByName.end() ? kNone : it->second;
        }
        return blockMemo[n];
    };
    // Only references to a block that may be dynamic are looked at again, by the dynamic-block pass.
    std::vector<std::optional<bool>> dynamicMemo(m_names.size());
    auto mayBeDynamic = [&](std::uint32_t n, std::uint32_t block) {
        if (!dynamicMemo[n]) dynamicMemo[n] = dxfMayBeDynamicBlock(m_db, m_staged[block].id());
        return *dynamicMemo[n];
    };
    std::vector<std::optional<KvDbObjectId>> styleMemo(m_names.size());
    auto styleFor = [&](std::uint32_t n) {
        if (!styleMemo[n]) {
            auto it = textStyles.find(kvAsciiUpper(name(n)));
            styleMemo[n] = it == textStyles.end() ? KvDbObjectId() : it->second;
        }
        return *styleMemo[n];
    };
    // As in every pass over all objects of a large drawing, the object a few links on is asked
    // for early: it is long out of the cache.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < m_links.size(); ++i) {
        if (i + kAhead < m_links.size()) __builtin_prefetch(m_staged[m_links[i + kAhead].staged].object, 1);
        const Link& l = m_links[i];
        KvDbObject* o = m_staged[l.staged].object;
        {
            // The setters want a write open: the change mark it leaves is not a change to the file.
            const KvDbObjectPointer<KvDbObject> opened(o->objectId(), KvDb::kForWrite);
            switch (l.kind) {
            case LinkKind::kBlockByName: {
                std::uint32_t block = blockFor(l.name);
                if (block == kNone)
                    failAt(m_staged[l.staged].offset, "block \"" + kvToUtf8(name(l.name)) + "\" is not defined");
                static_cast<KvDbBlockReference*>(o)->setBlockTableRecord(m_staged[block].id());
                if (mayBeDynamic(l.name, block)) m_references.push_back(o->objectId());
                break;
            }
            case LinkKind::kTextStyleByName: {
                KvDbObjectId style = styleFor(l.name);
                if (style.isNull()) break;
                if (auto* m = kvCast<KvDbMText>(o))
                    m->setTextStyle(style);
                else if (auto* t = kvCast<KvDbText>(o))
                    t->setTextStyle(style);
                else if (auto* ts = kvCast<KvDbTableStyle>(o))
                    ts->setTextStyle(style);
                break;
            }
            case LinkKind::kPlotStyle: {
                auto it = plotStyleNames.find(l.handle);
                if (it != plotStyleNames.end()) static_cast<KvDbEntity*>(o)->setPlotStyleName(it->second);
                break;
            }
            case LinkKind::kLayerPlotStyle: {
                auto it = plotStyleNames.find(l.handle);
                if (it != plotStyleNames.end()) static_cast<KvDbLayerTableRecord*>(o)->plotStyleName = it->second;
                break;
            }
            case LinkKind::kTableStyle: static_cast<KvDbTable*>(o)->setTableStyle(idOf(l.handle)); break;
            case LinkKind::kCellBlock:
                static_cast<KvDbTable*>(o)->setBlockTableRecordId(l.row, l.col, idOf(l.handle), true);
                break;
            case LinkKind::kTableRecord:
                static_cast<KvDbSymbolTable*>(m_db.objectAt(m_staged[static_cast<std::uint32_t>(l.row)].id()))
                    ->attachLoadedRecord(o->objectId());
                o->setOwnerId(m_staged[static_cast<std::uint32_t>(l.row)].id());
                break;
            case LinkKind::kDictEntry:
            case LinkKind::kBlockOwner: break;
            }
        }
        o->setModifiedSinceLoad(false);
    }
    if (!m_standardTableStyle.isNull()) {
        auto it = textStyles.find(u"STANDARD");
        if (it != textStyles.end())
            static_cast<KvDbTableStyle*>(m_db.objectAt(m_standardTableStyle))->setTextStyle(it->second);
    }
    if (!m_textStyleName.empty()) {
        auto it = textStyles.find(kvAsciiUpper(m_textStyleName));
        if (it != textStyles.end()) m_db.setTextstyle(it->second);
    }
}

}  // namespace dxfreader
