#include "dxf/DxfWriter.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "DxfEntityPatch.h"
#include "DxfRecordParser.h"
#include "dxf/DxfReader.h"
#include "DxfTableGraphics.h"
#include "DxfTagReader.h"
#include "DxfTagWriter.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbTableStyle.h"
#include "kv/KvProgress.h"
#include "kv/KvReplaceFile.h"

namespace {

constexpr int kTableVersion = 1024;  // tables are written in the R2010 form

// Where the saved bytes go, a piece at a time.
using DxfSink = std::function<void(std::string_view)>;
// Where unchanged stretches of the source go, when the sink can take them without their
// bytes passing through here (null: they are read and given to the sink).
using DxfCopySink = std::function<void(std::uint64_t begin, std::uint64_t size)>;

class Writer {
public:
    Writer(const KvDbDatabase& db, const DxfDocument& doc, DxfSink sink, DxfCopySink copy, const std::string& target)
        : m_db(db),
          m_doc(doc),
          m_sink(std::move(sink)),
          m_copy(std::move(copy)),
          m_progress(u"Saving " + dxfUtf8ToUtf16(target), doc.source.size())
    {
    }
    void run();

private:
    void classify();
    // Refuses a save whose new objects would have nowhere to go in this file.
    void checkRoomForNewObjects() const;
    void writeChunk(std::uint32_t index);
    void copyChunk(const DxfChunk& c);
    void writeInsertionsBefore(std::uint32_t index);
    // A copy is written from the record of the entity it was copied from, with its own
    // handle and owner and without the original's reactors and extension dictionary.
    struct CopyIdentity {
        std::uint64_t handle = 0;
        std::uint64_t owner = 0;
    };
    // Copies of entities of the file and where they go: after the run of records of the entity
    // copied (its attributes, vertices and end marker), which they repeat.
    struct CopyPlan {
        const KvDbEntity* entity = nullptr;
        std::uint32_t templateChunk = 0;
        std::vector<std::uint32_t> followers;  // VERTEX and SEQEND records of the original
        std::uint64_t firstFollowerHandle = 0;
    };
    void writePatched(const DxfChunk& c, const KvDbObject& object) { writeRecord(c, &object, nullptr, nullptr); }
    // A record's tags as read, edited: a copy's identity, the values the object now has.
    void writeRecord(const DxfChunk& c, const KvDbObject* object, const CopyIdentity* copy,
                     const std::vector<DxfPatch>* patches);
    void planCopies(const std::vector<const KvDbEntity*>& copies);
    void writeCopy(const CopyPlan& plan);
    void writeHeaderVar(const DxfChunk& c, std::uint32_t index);
    void writeTableStyle(DxfTagWriter& w, const KvDbTableStyle& style) const;
    std::string hexSeed() const
    {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(m_seed));
        return buf;
    }
    const KvDbObject* object(KvDbObjectId id) const { return m_db.objectAt(id); }
    bool dropped(const DxfChunk& c, const KvDbObject* o) const;
    [[noreturn]] void fail(const std::string& what) const { throw DxfError(m_doc.fileName + ": " + what); }

    const KvDbDatabase& m_db;
    const DxfDocument& m_doc;
    // Bytes of the file read from: a window of it, moved on as the chunks are written in
    // file order. The view lasts until the next call.
    std::string_view source(std::uint64_t begin, std::size_t size);
    void copySource();
    // Hands on the pending stretch of the source, then what was written after it.
    void flush();
    // For the new records the writer makes itself (tables, their graphics and styles): they
    // go on to the sink as they grow. Not while a view of the source is held: flushing moves
    // the source window.
    DxfTagWriter graphicsWriter()
    {
        DxfTagWriter w(m_out, m_doc.binary, m_crlf, m_outCodec);
        w.setSpill([this] { flush(); });
        return w;
    }

    DxfSink m_sink;
    DxfCopySink m_copy;
    // Unchanged records next to each other in the source, given on as one stretch; m_out
    // holds what follows it.
    struct Stretch {
        std::uint64_t begin = 0;
        std::uint64_t size = 0;
    } m_pending;
    KvProgress m_progress;  // bytes of the file read from, gone through so far
    DxfSourceWindow m_window{m_doc.source, 4 << 20};
    DxfOutBuffer m_out;   // written to the sink a megabyte at a time
    bool m_crlf = false;  // the source's line ends are CR LF
    int m_version = 0;
    int m_outVersion = 0;
    DxfTextCodec m_outCodec;
    std::uint64_t m_seed = 0;

    // Serials of objects that have a chunk: one bit from the lowest serial of the file's on,
    // as a drawing's objects take serials in a run.
    class SerialSet {
    public:
        explicit SerialSet(const DxfDocument& doc)
        {
            std::uint64_t last = 0;
            m_first = ~std::uint64_t(0);
            for (const DxfChunk& c : doc.chunks)
                if (c.kind == DxfChunkKind::kObject) {
                    m_first = std::min(m_first, doc.chunkId(c).serial());
                    last = std::max(last, doc.chunkId(c).serial());
                }
            if (m_first > last) return;
            m_bits.resize(last - m_first + 1);
            for (const DxfChunk& c : doc.chunks)
                if (c.kind == DxfChunkKind::kObject) m_bits[doc.chunkId(c).serial() - m_first] = true;
        }
        std::size_t count(std::uint64_t serial) const
        {
            return serial >= m_first && serial - m_first < m_bits.size() && m_bits[serial - m_first];
        }
        // Over the same serials, with none in it.
        SerialSet emptyLikeThis() const
        {
            SerialSet empty = *this;
            empty.m_bits.assign(m_bits.size(), false);
            return empty;
        }
        void insert(std::uint64_t serial)
        {
            if (serial >= m_first && serial - m_first < m_bits.size()) m_bits[serial - m_first] = true;
        }

    private:
        SerialSet() = default;
        std::uint64_t m_first = 0;
        std::vector<bool> m_bits;
    } m_inFile{m_doc};
    // Objects of the file changed or erased since it was read, and dictionaries that get a new
    // entry: every other record of the file is copied as it is without looking at its object.
    SerialSet m_touched = m_inFile.emptyLikeThis();
    bool m_anyErased = false;
    std::vector<const KvDbObject*> m_newAppIds;
    std::vector<const KvDbTableStyle*> m_newStyles;  // new styles tables use
    std::vector<const KvDbTable*> m_tables;          // new or rewritten
    std::unordered_set<std::uint64_t> m_rewrittenTables;
    std::unordered_set<std::uint64_t> m_droppedBlocks;                  // block records whose graphics are regenerated
    std::map<std::uint64_t, DxfTableGraphics> m_graphics;               // by table serial
    std::unordered_map<std::uint64_t, std::uint32_t> m_templateChunks;  // copied entity serial -> its chunk
    std::map<std::uint32_t, std::vector<CopyPlan>> m_copiesAfter;       // by the chunk they follow
};

void Writer::run()
{
    m_version = dxfVersionNumber(m_doc.version);
    m_seed = m_db.handseed().value();
    bool changed = m_db.changeCounter() != m_doc.changeCounterAtLoad;
    // Every change, new objects included, moves the counter: nothing to look at.
    if (!changed && m_seed == m_doc.handseedAtLoad) return copySource();
    classify();
    // Only the new styles a written table uses go into the file.
    std::vector<const KvDbTableStyle*> used;
    for (const KvDbTableStyle* style : m_newStyles)
        for (const KvDbTable* t : m_tables)
            if (t->tableStyle() == style->objectId()) {
                used.push_back(style);
                break;
            }
    m_newStyles = used;
    for (const KvDbTableStyle* style : m_newStyles) m_touched.insert(style->ownerId().serial());
    bool anything = changed || !m_newAppIds.empty() || !m_tables.empty() || m_seed != m_doc.handseedAtLoad;
    if (!anything) {
        for (KvDbObjectId id : m_db.allObjects()) {
            const KvDbObject* o = object(id);
            if (o &&
                (o->isModifiedSinceLoad() || (!m_inFile.count(id.serial()) && !m_doc.synthetic.count(id.serial()))))
                anything = true;
        }
    }
    if (!anything) return copySource();
    if (m_version < 1012)
        fail("changes to R12 (" + m_doc.version +
             ") drawings cannot be saved; save them as R2000 or later in a CAD program first");
    checkRoomForNewObjects();

    m_outVersion = m_version;
    m_outCodec = m_doc.codec;
    // R13 and R14 drawings are saved in the form tables are written in, as older ones with a table.
    if ((!m_tables.empty() || m_version < 1015) && m_version < kTableVersion) {
        m_outVersion = kTableVersion;
        m_outCodec.setUtf8();
    }
    if (!m_doc.binary) {
        std::string_view head = source(0, static_cast<std::size_t>(std::min<std::uint64_t>(m_doc.source.size(), 4096)));
        std::size_t nl = head.find('\n');
        if (nl != std::string_view::npos && nl > 0 && head[nl - 1] == '\r') m_crlf = true;
    }
    int nextT = 1;
    if (auto* blocks = kvCast<KvDbSymbolTable>(object(m_db.blockTableId())))
        for (KvDbObjectId id : blocks->recordIds())
            if (auto* r = kvCast<KvDbSymbolTableRecord>(object(id))) {
                const std::u16string& n = r->getName();
                if (n.size() > 2 && (n[1] == u'T' || n[1] == u't') && n[0] == u'*') {
                    int v = 0;
                    bool digits = true;
                    for (std::size_t k = 2; k < n.size() && digits; ++k) {
                        digits = n[k] >= u'0' && n[k] <= u'9';
                        if (digits && v < 100000000) v = v * 10 + (n[k] - u'0');
                    }
                    if (digits) nextT = std::max(nextT, v + 1);
                }
            }
    for (const KvDbTable* t : m_tables) {
        KvDbObjectId block = t->blockTableRecord();
        bool keep =
            !block.isNull() && m_inFile.count(block.serial()) && m_rewrittenTables.count(t->objectId().serial());
        std::u16string name = dxfUtf8ToUtf16("*T" + std::to_string(nextT++));
        m_graphics.emplace(t->objectId().serial(), DxfTableGraphics(m_db, *t, keep ? block : KvDbObjectId(), name));
    }
    // Handles for the tables' graphics come after every object's.
    for (auto& [serial, g] : m_graphics)
        if (!g.allocateHandles(m_seed)) fail("no handles left for the table's graphics ($HANDSEED " + hexSeed() + ")");
    // So do the copies' vertices and end markers, which the database does not hold.
    for (auto& [after, plans] : m_copiesAfter)
        for (CopyPlan& plan : plans) {
            plan.firstFollowerHandle = m_seed;
            m_seed += plan.followers.size();
        }

    constexpr std::size_t kFlush = 1 << 20;
    m_out.reserve(2 * kFlush);
    for (std::uint32_t i = 0; i < m_doc.chunks.size(); ++i) {
        writeInsertionsBefore(i);
        writeChunk(i);
        if (const auto it = m_copiesAfter.find(i); it != m_copiesAfter.end())
            for (const CopyPlan& plan : it->second) writeCopy(plan);
        if (m_out.size() >= kFlush || m_pending.size >= 4 * kFlush) {
            flush();
            m_progress.advance(m_doc.chunks[i].begin);
        }
    }
    flush();
    m_progress.advance(m_doc.source.size());
}

std::string_view Writer::source(std::uint64_t begin, std::size_t size)
{
    return m_window.from(begin, size).substr(0, size);
}

// Nothing changed: the file as it was read.
void Writer::copySource()
{
    constexpr std::size_t kPiece = 64 << 20;
    for (std::uint64_t at = 0; at < m_doc.source.size(); at += kPiece) {
        m_progress.advance(at);
        m_pending = {at, std::min<std::uint64_t>(kPiece, m_doc.source.size() - at)};
        flush();
    }
}

void Writer::flush()
{
    // Short stretches cost less as bytes than as a copy of their own.
    constexpr std::uint64_t kShortest = 64 << 10;
    if (m_pending.size >= kShortest && m_copy) {
        m_copy(m_pending.begin, m_pending.size);
    } else {
        constexpr std::size_t kPiece = 4 << 20;
        for (std::uint64_t at = 0; at < m_pending.size; at += kPiece) {
            const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, m_pending.size - at));
            m_sink(source(m_pending.begin + at, size));
        }
    }
    m_pending = {};
    if (!m_out.empty()) m_sink(m_out.view());
    m_out.clear();
}

void Writer::classify()
{
    std::vector<const KvDbEntity*> copies;
    for (KvDbObjectId id : m_db.allObjects()) {
        const KvDbObject* o = object(id);
        if (!o) continue;
        if (o->isErased()) m_anyErased = true;
        bool inFile = m_inFile.count(id.serial()) != 0;
        if (inFile && (o->isModifiedSinceLoad() || o->isErased())) m_touched.insert(id.serial());
        if (!m_doc.synthetic.empty() && m_doc.synthetic.count(id.serial())) continue;
        if (!inFile) {
            if (o->isErased()) continue;
            if (auto* t = kvCast<KvDbTable>(o)) {
                m_tables.push_back(t);
            } else if (kvCast<KvDbTableStyle>(o)) {
                m_newStyles.push_back(static_cast<const KvDbTableStyle*>(o));  // written when a table uses it
            } else if (kvCast<KvDbRegAppTableRecord>(o)) {
                m_newAppIds.push_back(o);
            } else if (auto* btr = kvCast<KvDbBlockTableRecord>(o); btr && btr->isAnonymous()) {
                // The host's own graphics block of a table: the writer makes its own.
            } else if (auto* e = kvCast<KvDbEntity>(o)) {
                auto* owner = kvCast<KvDbBlockTableRecord>(object(e->ownerId()));
                if (owner && owner->isAnonymous() && !m_inFile.count(owner->objectId().serial())) continue;
                // A copy's attributes are written with the copy.
                if (!e->copiedFrom().isNull() && kvCast<KvDbBlockReference>(object(e->ownerId()))) continue;
                if (!e->copiedFrom().isNull() && owner) {
                    copies.push_back(e);
                    continue;
                }
                fail("cannot save the new " + kvToUtf8(o->dxfName()) + " object: this kind is not written yet");
            } else {
                fail("cannot save the new " + kvToUtf8(o->dxfName()) + " object: this kind is not written yet");
            }
            continue;
        }
        if (!o->isModifiedSinceLoad() && !o->isErased()) continue;
        if (auto* t = kvCast<KvDbTable>(o); t && t->isModifiedSinceLoad() && !t->isErased()) {
            m_tables.push_back(t);
            m_rewrittenTables.insert(id.serial());
            if (!t->blockTableRecord().isNull()) m_droppedBlocks.insert(t->blockTableRecord().serial());
        }
        if (auto* t = kvCast<KvDbTable>(o); t && t->isErased() && !t->blockTableRecord().isNull())
            m_droppedBlocks.insert(t->blockTableRecord().serial());
    }
    if (!copies.empty()) planCopies(copies);
}

void Writer::planCopies(const std::vector<const KvDbEntity*>& copies)
{
    // The records copied: the entities' and their attributes'.
    for (const KvDbEntity* e : copies) {
        m_templateChunks.emplace(e->copiedFrom().serial(), 0);
        if (auto* ref = kvCast<KvDbBlockReference>(e))
            for (KvDbObjectId id : ref->attributeIds())
                if (auto* a = kvCast<KvDbEntity>(object(id)); a && !a->copiedFrom().isNull())
                    m_templateChunks.emplace(a->copiedFrom().serial(), 0);
    }
    std::size_t found = 0;
    for (std::uint32_t i = 0; i < m_doc.chunks.size() && found < m_templateChunks.size(); ++i) {
        const DxfChunk& c = m_doc.chunks[i];
        if (c.kind != DxfChunkKind::kObject) continue;
        if (auto it = m_templateChunks.find(m_doc.chunkId(c).serial()); it != m_templateChunks.end()) {
            it->second = i;
            ++found;
        }
    }
    if (found < m_templateChunks.size()) fail("cannot save a copy: the entity it was copied from is not in the file");
    for (const KvDbEntity* e : copies) {
        CopyPlan plan;
        plan.entity = e;
        plan.templateChunk = m_templateChunks.at(e->copiedFrom().serial());
        // The original's run: its own attributes, vertices and end marker follow it.
        std::uint32_t last = plan.templateChunk;
        for (std::uint32_t j = last + 1; j < m_doc.chunks.size(); ++j) {
            const DxfChunk& c = m_doc.chunks[j];
            const KvDbObject* owned = c.kind == DxfChunkKind::kObject ? object(m_doc.chunkId(c)) : nullptr;
            if (c.kind == DxfChunkKind::kFollower && m_doc.chunkId(c) == e->copiedFrom())
                plan.followers.push_back(j);
            else if (!owned || owned->ownerId() != e->copiedFrom())
                break;
            last = j;
        }
        m_copiesAfter[last].push_back(std::move(plan));
    }
}

void Writer::writeCopy(const CopyPlan& plan)
{
    const KvDbEntity& e = *plan.entity;
    const KvDbObject* owner = object(e.ownerId());
    const CopyIdentity self{e.handle().value(), owner ? owner->handle().value() : 0};
    writeRecord(m_doc.chunks[plan.templateChunk], &e, &self, nullptr);
    if (auto* ref = kvCast<KvDbBlockReference>(&e))
        for (KvDbObjectId id : ref->attributeIds()) {
            const auto* a = kvCast<KvDbEntity>(object(id));
            if (!a || a->isErased() || a->copiedFrom().isNull()) continue;
            const CopyIdentity attribute{a->handle().value(), self.handle};
            writeRecord(m_doc.chunks[m_templateChunks.at(a->copiedFrom().serial())], a, &attribute, nullptr);
        }
    std::uint64_t handle = plan.firstFollowerHandle;
    std::size_t vertex = 0;
    const auto* polyline = kvCast<KvDbPolyline>(&e);
    for (std::uint32_t j : plan.followers) {
        const CopyIdentity follower{handle++, self.handle};
        const bool bVertex = polyline && j != plan.followers.back();  // the last one ends the run
        const std::vector<DxfPatch> patches = bVertex ? dxfVertexPatches(*polyline, vertex++) : std::vector<DxfPatch>();
        writeRecord(m_doc.chunks[j], nullptr, &follower, &patches);
    }
}

void Writer::checkRoomForNewObjects() const
{
    // An R12-style drawing labelled as a later version has no block records of its own: a
    // table's owner, its graphics block and its style would be written nowhere, or owned by
    // records the file does not hold, and the saved drawing would not reopen.
    auto missing = [&](const char* what) {
        fail("cannot save the new table: the drawing has no " + std::string(what) + " (an R12-style drawing labelled " +
             m_doc.version + "); save it as R2000 or later in a CAD program first");
    };
    for (const KvDbTable* t : m_tables) {
        if (m_rewrittenTables.count(t->objectId().serial())) continue;
        if (!m_inFile.count(t->ownerId().serial())) missing("block record for its model space");
        if (m_doc.blockRecordTableEnd == DxfDocument::kNoChunk) missing("BLOCK_RECORD table");
        if (m_doc.blocksEnd == DxfDocument::kNoChunk) missing("BLOCKS section");
        if (m_doc.entitiesEnd == DxfDocument::kNoChunk) missing("ENTITIES section");
    }
    if (!m_newStyles.empty() && m_doc.objectsEnd == DxfDocument::kNoChunk) missing("OBJECTS section");
    if (!m_newAppIds.empty() && m_doc.appIdTableEnd == DxfDocument::kNoChunk)
        fail("cannot save the new application names: the drawing has no APPID table");
}

bool Writer::dropped(const DxfChunk& c, const KvDbObject* o) const
{
    if (!o) return false;
    if (c.kind == DxfChunkKind::kFollower) return o->isErased() || m_droppedBlocks.count(o->ownerId().serial()) != 0;
    if (c.kind != DxfChunkKind::kObject) return false;
    if (o->isErased()) return true;
    if (m_droppedBlocks.empty() && !m_anyErased) return false;
    // Entities of a table's graphics block that is regenerated.
    if (kvCast<KvDbEntity>(o) && m_droppedBlocks.count(o->ownerId().serial())) return true;
    if (auto* owner = object(o->ownerId()); owner && kvCast<KvDbBlockReference>(owner) &&
                                            (owner->isErased() || m_droppedBlocks.count(owner->ownerId().serial())))
        return true;
    return false;
}

void Writer::writeChunk(std::uint32_t index)
{
    const DxfChunk& c = m_doc.chunks[index];
    const KvDbObjectId id = m_doc.chunkId(c);
    switch (c.kind) {
    case DxfChunkKind::kHeaderVar: writeHeaderVar(c, index); return;
    case DxfChunkKind::kRaw:
    case DxfChunkKind::kBlockBegin: copyChunk(c); return;
    case DxfChunkKind::kBlockEnd:
        // A table's regenerated graphics go at the end of its block.
        for (auto& [serial, g] : m_graphics)
            if (g.blockRecord() == id && m_rewrittenTables.count(serial)) {
                DxfTagWriter w = graphicsWriter();
                g.writeEntities(w);
            }
        copyChunk(c);
        return;
    case DxfChunkKind::kFollower:
        if (m_droppedBlocks.empty() && !m_anyErased) {
            copyChunk(c);
            return;
        }
        if (!dropped(c, object(id))) copyChunk(c);
        return;
    case DxfChunkKind::kObject: break;
    }
    if (m_droppedBlocks.empty() && !m_anyErased && !m_touched.count(id.serial())) {
        copyChunk(c);
        return;
    }
    const KvDbObject* o = object(id);
    if (!o) {
        copyChunk(c);
        return;
    }
    if (dropped(c, o)) return;
    if (m_rewrittenTables.count(id.serial())) {
        DxfTagWriter w = graphicsWriter();
        m_graphics.at(id.serial()).writeTable(w);
        return;
    }
    if (o->isModifiedSinceLoad())
        writePatched(c, *o);
    else
        copyChunk(c);
    // The dictionary of a new style gets its entry (dictionaries here carry no extended data).
    for (const KvDbTableStyle* style : m_newStyles)
        if (style->ownerId() == id) {
            if (o->xDataValues().empty()) {
                DxfTagWriter w(m_out, m_doc.binary, m_crlf, m_outCodec);
                w.text(3, style->name());
                w.handle(350, style->handle().value());
            } else {
                fail("cannot add the table style to its dictionary");
            }
        }
}

void Writer::copyChunk(const DxfChunk& c)
{
    if (m_outCodec.isUtf8() == m_doc.codec.isUtf8()) {
        if (m_out.empty() && m_pending.size > 0 && m_pending.begin + m_pending.size == c.begin) {
            m_pending.size += c.size;
        } else {
            flush();
            m_pending = {c.begin, c.size};
        }
        return;
    }
    std::string_view bytes = source(c.begin, c.size);
    // Upgraded to a UTF-8 version: only the text values change, \U+XXXX escapes become
    // the characters they stand for (a UTF-8 drawing keeps them as written).
    if (!m_doc.binary) {
        bool ascii = true;
        for (char ch : bytes) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
        if (ascii && bytes.find("\\U+") == std::string_view::npos && bytes.find("\\u+") == std::string_view::npos)
            m_out.append(bytes);
        else
            m_out += kvToUtf8(m_doc.codec.decode(bytes));
        return;
    }
    if (c.begin < DxfTagReader::kBinarySentinel.size()) {
        m_out.append(bytes);  // the binary file's sentinel
        return;
    }
    DxfTagReader in(bytes, m_doc.fileName, true, m_doc.oneByteCodes);
    DxfTagWriter w(m_out, true, m_crlf, m_outCodec);
    DxfTag t;
    while (in.next(t)) {
        DxfValueKind k = dxfValueKind(t.code);
        if (k == DxfValueKind::kText)
            w.ascii(t.code, kvToUtf8(m_doc.codec.decode(t.raw)));
        else
            w.bytes(bytes.substr(t.pos.offset, t.end - t.pos.offset));
    }
}

void Writer::writeHeaderVar(const DxfChunk& c, std::uint32_t index)
{
    DxfTagWriter w(m_out, m_doc.binary, m_crlf, m_outCodec);
    if (index == m_doc.headerAcadVer && m_outVersion != m_version) {
        w.ascii(9, "$ACADVER");
        w.ascii(1, "AC" + std::to_string(m_outVersion));
        return;
    }
    if (index == m_doc.headerHandseed && m_seed != m_doc.handseedAtLoad) {
        w.ascii(9, "$HANDSEED");
        w.handle(5, m_seed);
        return;
    }
    copyChunk(c);
}

void Writer::writeInsertionsBefore(std::uint32_t index)
{
    DxfTagWriter w = graphicsWriter();
    if (index == m_doc.appIdTableEnd) {
        for (const KvDbObject* o : m_newAppIds) {
            auto* r = static_cast<const KvDbRegAppTableRecord*>(o);
            w.ascii(0, "APPID");
            w.handle(5, o->handle().value());
            w.handle(330, object(o->ownerId()) ? object(o->ownerId())->handle().value() : 0);
            w.ascii(100, "AcDbSymbolTableRecord");
            w.ascii(100, "AcDbRegAppTableRecord");
            w.text(2, r->getName());
            w.integer(70, 0);
            for (const KvTypedValue& v : o->xDataValues()) w.typed(v);
        }
    }
    for (auto& [serial, g] : m_graphics) {
        if (m_rewrittenTables.count(serial) && !g.ownsNewBlock()) continue;
        if (index == m_doc.blockRecordTableEnd) g.writeBlockRecord(w);
        if (index == m_doc.blocksEnd) g.writeBlock(w);
    }
    if (index == m_doc.objectsEnd) {
        for (const KvDbTableStyle* style : m_newStyles) writeTableStyle(w, *style);
    }
    if (index == m_doc.entitiesEnd) {
        for (const KvDbTable* t : m_tables) {
            if (m_rewrittenTables.count(t->objectId().serial())) continue;
            m_graphics.at(t->objectId().serial()).writeTable(w);
        }
    }
}

// A table style as R2010 writes it: the style, then the data, title and header cell styles.
void Writer::writeTableStyle(DxfTagWriter& w, const KvDbTableStyle& style) const
{
    std::uint64_t owner = object(style.ownerId()) ? object(style.ownerId())->handle().value() : 0;
    std::u16string textStyle = u"Standard";
    if (auto* r = kvCast<KvDbSymbolTableRecord>(object(style.textStyle()))) textStyle = r->getName();
    w.ascii(0, "TABLESTYLE");
    w.handle(5, style.handle().value());
    w.ascii(102, "{ACAD_REACTORS");
    w.handle(330, owner);
    w.ascii(102, "}");
    w.handle(330, owner);
    w.ascii(100, "AcDbTableStyle");
    w.integer(280, 0);
    w.text(3, style.name());
    w.integer(70, 0);
    w.integer(71, 0);
    w.real(40, style.horizontalCellMargin());
    w.real(41, style.horizontalCellMargin());
    w.integer(280, 0);
    w.integer(281, 0);
    for (int cellStyle = 0; cellStyle < 3; ++cellStyle) {
        w.text(7, textStyle);
        w.real(140, cellStyle == 1 ? style.textHeight() * 1.5 : style.textHeight());
        w.integer(170, cellStyle == 0 ? 1 : 2);
        w.integer(62, 0);
        w.integer(63, 7);
        w.integer(283, 0);
        w.integer(90, 512);
        w.integer(91, 0);
        w.ascii(1, "");
        for (int edge = 0; edge < 6; ++edge) {
            w.integer(274 + edge, -2);
            w.integer(284 + edge, 1);
            w.integer(64 + edge, 0);
        }
    }
}

// An object the host opened for write, or a copy: its tags as read, with what differs now
// replaced. Common properties missing from the record go after AcDbEntity.
void Writer::writeRecord(const DxfChunk& c, const KvDbObject* o, const CopyIdentity* copy,
                         const std::vector<DxfPatch>* extra)
{
    std::string_view bytes = source(c.begin, c.size);
    DxfTagReader in(bytes, m_doc.fileName, m_doc.binary, m_doc.oneByteCodes);
    std::vector<DxfTag> tags;
    DxfTag t;
    while (in.next(t)) tags.push_back(t);
    DxfRecordParser p(in, tags, m_doc.codec);
    DxfTagWriter w(m_out, m_doc.binary, m_crlf, m_outCodec);
    const auto* e = kvCast<KvDbEntity>(o);
    std::vector<DxfPatch> patches = extra ? *extra : std::vector<DxfPatch>();
    if (e && !tags.empty()) {
        const std::vector<DxfPatch> own = dxfEntityPatches(*e, in.text(tags.front(), true), p);
        patches.insert(patches.end(), own.begin(), own.end());
    }
    KvTypedValueList xdata = p.xdata();
    bool xdataChanged = o && xdata != o->xDataValues();
    std::size_t xbegin = tags.size();
    for (std::size_t i = 0; i < tags.size(); ++i)
        if (tags[i].code == 1001) {
            xbegin = i;
            break;
        }
    auto differs = [&](int code) -> bool {
        if (!e) return false;
        switch (code) {
        case 8: return p.text(8, u"0") != e->layer();
        case 62: return p.integer(62, 256) != e->colorIndex();
        case 6: return p.text(6, u"ByLayer") != e->linetype();
        case 48: return p.real(48, 1.0) != e->linetypeScale();
        case 370: return p.integer(370, -1) != e->lineWeight();
        default: return false;
        }
    };
    auto emit = [&](int code) {
        switch (code) {
        case 8: w.text(8, e->layer()); break;
        case 62: w.integer(62, e->colorIndex()); break;
        case 6: w.text(6, e->linetype()); break;
        case 48: w.real(48, e->linetypeScale()); break;
        case 370: w.integer(370, e->lineWeight()); break;
        default: break;
        }
    };
    // The value a patch gives the tag, written when it differs from the one read.
    auto patched = [&](const DxfTag& tag, int occurrence) -> bool {
        for (const DxfPatch& patch : patches) {
            if (patch.code != tag.code || patch.occurrence != occurrence) continue;
            if (patch.real && in.real(tag) != *patch.real) {
                w.real(tag.code, *patch.real);
                return true;
            }
            if (patch.text && m_doc.codec.decode(in.text(tag)) != *patch.text) {
                w.text(tag.code, *patch.text);
                return true;
            }
            return false;
        }
        return false;
    };
    const int common[] = {8, 62, 6, 48, 370};
    std::vector<int> missing;
    for (int code : common)
        if (differs(code) && !p.has(code)) missing.push_back(code);
    bool inGroup = false;
    std::unordered_set<int> done;
    std::unordered_map<int, int> seen;
    for (std::size_t i = 0; i < xbegin; ++i) {
        const DxfTag& tag = tags[i];
        if (tag.code == 102) inGroup = !in.text(tag, true).empty() && in.text(tag, true).front() == '{';
        // A copy has no reactors nor extension dictionary of its own yet.
        if (copy && (inGroup || tag.code == 102)) continue;
        const int occurrence = inGroup ? -1 : seen[tag.code]++;
        if (copy && tag.code == 5) {
            w.handle(5, copy->handle);
            continue;
        }
        if (copy && tag.code == 330 && occurrence == 0) {
            w.handle(330, copy->owner);
            continue;
        }
        if (occurrence >= 0 && patched(tag, occurrence)) continue;
        bool replace = !inGroup && e && !done.count(tag.code) && differs(tag.code);
        if (replace) {
            emit(tag.code);
            done.insert(tag.code);
        } else {
            std::string_view raw = bytes.substr(tag.pos.offset, tag.end - tag.pos.offset);
            if (m_outCodec.isUtf8() != m_doc.codec.isUtf8() && dxfValueKind(tag.code) == DxfValueKind::kText)
                w.ascii(tag.code, kvToUtf8(m_doc.codec.decode(tag.raw)));
            else
                w.bytes(raw);
        }
        if (tag.code == 100 && in.text(tag, true) == "AcDbEntity")
            for (int code : missing) emit(code);
        if (tag.code == 100 && in.text(tag, true) == "AcDbEntity") missing.clear();
    }
    if (xdataChanged) {
        for (const KvTypedValue& v : o->xDataValues()) w.typed(v);
    } else {
        for (std::size_t i = xbegin; i < tags.size(); ++i) {
            if (m_outCodec.isUtf8() != m_doc.codec.isUtf8() && dxfValueKind(tags[i].code) == DxfValueKind::kText)
                w.ascii(tags[i].code, kvToUtf8(m_doc.codec.decode(tags[i].raw)));
            else
                w.bytes(bytes.substr(tags[i].pos.offset, tags[i].end - tags[i].pos.offset));
        }
    }
}

}  // namespace

namespace {

// The test suite sets KV_TEST_REOPEN_SAVED: every drawing it saves is read back at once, so
// that a save another session could not reopen fails the test that made it.
template <class Read>
void checkReopens(const std::string& what, Read read)
{
    static const bool enabled = std::getenv("KV_TEST_REOPEN_SAVED") != nullptr;
    if (!enabled) return;
    // The check is no job of the user's: nothing of it shows as progress.
    struct Quiet {
        KvProgressSink* sink = kvProgressSink();
        Quiet() { kvSetProgressSink(nullptr); }
        ~Quiet() { kvSetProgressSink(sink); }
    } quiet;
    try {
        read();
    } catch (const DxfError& e) {
        throw DxfError(what + ": the saved drawing does not reopen: " + e.what());
    }
}

}  // namespace

std::string dxfWriteBytes(const KvDbDatabase& db, const DxfDocument& doc)
{
    std::string out;
    Writer(
        db, doc, [&out](std::string_view piece) { out.append(piece); }, nullptr, doc.fileName)
        .run();
    checkReopens(doc.fileName, [&] { dxfReadBytes(out, doc.fileName); });
    return out;
}

void dxfWriteFile(const KvDbDatabase& db, const DxfDocument& doc, const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        throw DxfError(path + ": is a folder, cannot save over it");
    KvReplaceFile file(path);
    if (!file.IsOpen()) throw DxfError(path + ": cannot write (" + file.ErrorText() + ")");
    // Written as it is made: a large drawing is never held twice in memory. Whatever stops
    // the save (a change that cannot be written, the source file gone bad, no memory)
    // leaves no temporary file behind: the file object discards it.
    // A write that failed stops the save at once.
    DxfCopySink copy;
    if (const int fd = doc.source.fileDescriptor(); fd >= 0)
        copy = [&, fd](std::uint64_t begin, std::uint64_t size) {
            doc.source.checkUnchanged();
            if (!file.CopyFrom(fd, begin, size))
                throw DxfError(doc.source.name() + ": cannot read the file (" +
                               (errno != 0 ? std::strerror(errno) : "it became shorter") + ")");
            if (!file.ErrorText().empty()) throw DxfError(path + ": cannot write (" + file.ErrorText() + ")");
        };
    Writer(
        db, doc,
        [&](std::string_view piece) {
            file.Write(piece);
            if (!file.ErrorText().empty()) throw DxfError(path + ": cannot write (" + file.ErrorText() + ")");
        },
        copy, path)
        .run();
    if (!file.Commit()) throw DxfError(path + ": cannot write (" + file.ErrorText() + ")");
    checkReopens(path, [&] { dxfReadFile(path); });
}
