#include "dxf/DxfReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <optional>
#include <sstream>
#include <unordered_map>

#include "DxfDynamicBlocks.h"
#include "DxfRecordParser.h"
#include "DxfTagReader.h"
#include "kv/KvDb3dSolid.h"
#include "kv/KvDbArc.h"
#include "kv/KvDbAttribute.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbCircle.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbDictionary.h"
#include "kv/KvDbLine.h"
#include "kv/KvDbMText.h"
#include "kv/KvDbObjectPointer.h"
#include "kv/KvDbPoint.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbSolid.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbTableStyle.h"
#include "kv/KvDbText.h"
#include "kv/KvProgress.h"
#include "kvinternal/KvAsciiCase.h"
#include "kvinternal/KvHugePages.h"
#include "kv/KvSharedName.h"

int dxfVersionNumber(const std::string& acadver)
{
    static const char* const known[] = {"AC1009", "AC1012", "AC1014", "AC1015", "AC1018",
                                        "AC1021", "AC1024", "AC1027", "AC1032"};
    for (const char* k : known)
        if (acadver == k) return std::atoi(k + 2);
    return 0;
}

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint64_t kNoOffset = ~std::uint64_t{0};

// Older versions keep a multi-column text's further columns as MTEXT entities and its frames
// as LWPOLYLINE entities, named in the main text's ACAD extended data between these markers.
constexpr std::u16string_view kColumnsBegin = u"ACAD_MTEXT_COLUMNS_BEGIN", kColumnsEnd = u"ACAD_MTEXT_COLUMNS_END";
constexpr std::u16string_view kFramesBegin = u"ACAD_MTEXT_TEXT_BORDERS_BEGIN",
                              kFramesEnd = u"ACAD_MTEXT_TEXT_BORDERS_END";

bool hasFurtherParts(const KvTypedValueList& xdata)
{
    for (const KvTypedValue& v : xdata)
        if (v.code == 1000 && v.text() && (*v.text() == kColumnsBegin || *v.text() == kFramesBegin)) return true;
    return false;
}

// An object read but not yet in the database: handles become ids once everything is read.
// Kept small: a large drawing stages hundreds of thousands of these at once.
struct Staged {
    KvDbObject* object = nullptr;  // the reader's until the database takes it (owned)
    std::uint64_t handle = 0;
    std::uint64_t owner = 0;       // 330 owner handle
    std::uint64_t offset = 0;      // where it starts in the file, for messages
    KvDbObjectId objectId;         // once in the database
    std::uint32_t parent = kNone;  // staged index of the block record / reference that holds it
    std::uint8_t kind = 0;         // kOther, kEntity, kBlockRecord, kReference
    bool owned = true;
    bool synthetic = false;
    bool ownerFirst = false;  // the owner (330) decides; parent is the space to fall back on
    KvDbObjectId id() const { return objectId; }
};
enum : std::uint8_t { kOther, kEntity, kBlockRecord, kReference };

// References between objects that can only be resolved when every object is in place.
enum class LinkKind : std::uint8_t {
    kBlockByName,
    kTextStyleByName,
    kPlotStyle,
    kDictEntry,
    kTableStyle,
    kCellBlock,
    kBlockOwner,
    kTableRecord,
    kLayerPlotStyle
};
struct Link {
    std::uint32_t staged;
    LinkKind kind;
    std::uint64_t handle = 0;
    std::uint32_t name = 0;  // index of the reader's names
    int row = 0, col = 0;
};

class Reader {
public:
    Reader(DxfDocument& doc, KvDbDatabase& db, std::size_t windowBytes)
        : m_doc(doc),
          m_db(db),
          m_progress(u"Opening " + dxfUtf8ToUtf16(doc.fileName), doc.source.size()),
          m_windowBytes(std::max<std::size_t>(windowBytes, 32)),
          m_window(doc.source, m_windowBytes),
          m_in(m_window.from(0, m_windowBytes), doc.fileName)
    {
        m_in.setFinal(m_in.data().size() == doc.source.size());
    }
    ~Reader()
    {
        for (Staged& s : m_staged)
            if (s.owned) delete s.object;
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    void run();

private:
    bool readRecord();
    // Moves the window on to start at the unfinished record at start (line), reading more.
    void refill(std::uint64_t start, std::uint32_t line);
    void addChunk(std::uint64_t begin, std::uint64_t end, DxfChunkKind kind, std::uint32_t staged = kNone);
    void addRecordChunk(DxfChunkKind kind, std::uint32_t staged = kNone)
    {
        addChunk(m_recBegin, m_recEnd, kind, staged);
    }
    std::uint32_t stage(KvDbObject* object, std::uint8_t kind, const DxfRecordParser& p, std::uint32_t parent = kNone);
    // Takes the object; a staged index for it.
    std::uint32_t adopt(KvDbObject* object, std::uint8_t kind);
    std::u16string decode(std::string_view s) const { return m_doc.codec.decode(s); }
    // Names repeat thousands of times (layers, blocks, styles, tags): each distinct spelling
    // is decoded once. fallback is an ASCII text used when the record has no such group.
    std::uint32_t nameIndex(const DxfRecordParser& p, int code, std::string_view fallback);
    std::uint32_t nameIndex(std::string_view raw);
    const std::u16string& name(std::uint32_t index) const { return m_names[index].text; }
    KvSharedName sharedName(std::uint32_t index);
    void link(std::uint32_t staged, LinkKind kind, const DxfRecordParser& p, int code, std::string_view fallback)
    {
        m_links.push_back(Link{staged, kind, 0, nameIndex(p, code, fallback)});
    }

    // The record's own handle (5; 105 for a dimension style), 0 when it has none.
    std::uint64_t recordHandle() const;
    void noteHandle(std::uint64_t handle, std::uint64_t offset)
    {
        if (handle > m_maxHandle) m_maxHandle = handle, m_maxHandleOffset = offset;
    }
    // Adds an object that has no handle in the file; the caller keeps it when that fails.
    KvDbObjectId addWithNewHandle(KvDbObject* object, std::uint64_t offset);
    // Adds an object the reader makes up (not in the file) and takes it.
    KvDbObjectId addMadeUp(KvDbObject* object);
    void readHeader();
    void readTableRecord(std::string_view type);
    void readBlockBegin();
    void readEntity(std::string_view type);
    void readObject(std::string_view type);
    KvDbEntity* makeEntity(std::string_view type, const DxfRecordParser& p, std::uint32_t self);
    std::uint32_t spaceFor(const DxfRecordParser& p);
    // Everything read goes into the database, in these steps.
    void finish();
    void storeObjects();
    void addMissingTables();
    void attachToOwners();
    void resolveLinks();
    void joinMultiPartTexts();
    KvDbObjectId idOf(std::uint64_t handle) const;
    [[noreturn]] void failAt(std::uint64_t offset, const std::string& what) const
    {
        DxfPosition pos{0, offset, m_doc.binary};
        if (!m_doc.binary) pos.line = m_doc.source.lineAt(offset);
        m_in.fail(pos, what);
    }
    void commonEntity(KvDbEntity& e, const DxfRecordParser& p);
    void readTable(KvDbTable& t, const DxfRecordParser& p, std::uint32_t self);

    DxfDocument& m_doc;
    KvDbDatabase& m_db;
    KvProgress m_progress;  // bytes of the file read so far
    std::size_t m_windowBytes;
    DxfSourceWindow m_window;  // the file is read a window at a time: only the objects stay in memory
    DxfTagReader m_in;
    std::vector<DxfTag> m_tags;
    DxfTag m_pending;
    bool m_havePending = false;
    std::uint64_t m_recBegin = 0, m_recEnd = 0;

    struct Name {
        std::u16string text;
        std::optional<KvSharedName> shared;
    };
    std::vector<Name> m_names;
    struct RawHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<std::string, std::uint32_t, RawHash, std::equal_to<>> m_nameByRaw;
    struct RecentName {
        const std::string* name = nullptr;  // a key of m_nameByRaw (they stay in place)
        std::uint32_t index = 0;
    };
    RecentName m_recentNames[4];
    unsigned m_nextRecent = 0;
    std::vector<std::uint32_t> m_styleRecords;  // staged STYLE records
    std::vector<Staged> m_staged;
    std::vector<std::pair<std::uint32_t, std::uint64_t>> m_xdictionaries;  // staged index, handle
    std::vector<std::uint32_t> m_chunkStaged;
    std::vector<Link> m_links;
    DxfSectionId m_section = DxfSectionId::kNone;
    std::uint32_t m_currentTable = kNone;
    std::u16string m_currentTableName;
    std::uint32_t m_currentBlock = kNone;
    std::uint32_t m_lastComplex = kNone;  // INSERT or POLYLINE that followers belong to
    bool m_expectFollowers = false;
    std::uint32_t m_modelSpace = kNone, m_paperSpace = kNone;
    std::uint32_t m_rootDictionary = kNone;
    KvDbObjectId m_tables[5];  // block records, layers, linetypes, styles, apps: once stored
    KvDbObjectId m_root;
    std::vector<std::uint32_t> m_multiPartTexts;  // staged MTEXT with further columns or frames
    std::uint32_t m_tableStaged[5] = {kNone, kNone, kNone, kNone,
                                      kNone};                          // block records, layers, linetypes, styles, apps
    std::unordered_map<std::u16string, std::uint32_t> m_blocksByName;  // upper-case names
    std::uint64_t m_fileHandseed = 0;
    std::uint64_t m_maxHandle = 0, m_maxHandleOffset = 0;  // of every record, staged or not
    std::u16string m_textStyleName;
    KvDbObjectId m_standardTableStyle;
    bool m_sawEof = false;
    bool m_sawHeader = false;
    KvGePoint3d m_ucsorg;
    KvGeVector3d m_ucsx = KvGeVector3d(1, 0, 0), m_ucsy = KvGeVector3d(0, 1, 0);
    double m_polyDefaultWidth[2] = {0, 0};
};

std::string hexText(std::uint64_t h)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(h));
    return buf;
}

bool Reader::readRecord()
{
    for (;;) {
        m_tags.clear();
        // The record starts at the group 0 read last time, or here.
        const std::uint64_t start = m_havePending ? m_pending.pos.offset : m_in.offset();
        const std::uint32_t line = m_havePending ? m_pending.pos.line : m_in.line();
        DxfTag t;
        if (m_havePending) {
            m_tags.push_back(m_pending);
            m_havePending = false;
        } else if (m_in.next(t)) {
            m_tags.push_back(t);
        } else if (m_in.needMore()) {
            refill(start, line);
            continue;
        } else {
            return false;
        }
        // Nothing after EOF is read: some programs leave other data behind it.
        const DxfTag& head = m_tags.front();
        if (head.code == 0 && m_in.text(head, true) == "EOF") {
            m_recBegin = head.pos.offset;
            m_recEnd = head.end;
            return true;
        }
        while (m_in.next(t)) {
            if (t.code == 0) {
                m_pending = t;
                m_havePending = true;
                break;
            }
            m_tags.push_back(t);
        }
        if (!m_havePending && m_in.needMore()) {
            refill(start, line);  // the record goes on in the next window: read it again whole
            continue;
        }
        m_recBegin = m_tags.front().pos.offset;
        m_recEnd = m_havePending ? m_pending.pos.offset : m_in.offset();
        return true;
    }
}

void Reader::refill(std::uint64_t start, std::uint32_t line)
{
    // A record longer than a window gets a larger one.
    m_progress.advance(start);
    const std::uint64_t unfinished = m_in.windowEnd() - start;
    std::string_view window =
        m_window.from(start, static_cast<std::size_t>(std::max<std::uint64_t>(m_windowBytes, 2 * unfinished)));
    m_in.setWindow(window, start, line, start + window.size() == m_doc.source.size());
}

void Reader::addChunk(std::uint64_t begin, std::uint64_t end, DxfChunkKind kind, std::uint32_t staged)
{
    if (end <= begin) return;
    if (end - begin > 0xFFFFFFFFull) m_in.fail("record larger than 4 GB");
    m_doc.chunks.push_back(DxfChunk{begin, static_cast<std::uint32_t>(end - begin), kind, KvDbObjectId()});
    m_chunkStaged.push_back(staged);
}

std::uint32_t Reader::adopt(KvDbObject* object, std::uint8_t kind)
{
    std::unique_ptr<KvDbObject> guard(object);
    Staged s;
    s.object = object;
    s.kind = kind;
    m_staged.push_back(s);
    guard.release();  // the staged list owns it now
    return static_cast<std::uint32_t>(m_staged.size() - 1);
}

std::uint32_t Reader::stage(KvDbObject* object, std::uint8_t kind, const DxfRecordParser& p, std::uint32_t parent)
{
    std::uint32_t index = adopt(object, kind);  // owned before anything below can throw
    Staged& s = m_staged[index];
    s.parent = parent;
    s.offset = p.position().offset;
    s.handle = p.handle();
    s.owner = p.owner();
    if (std::uint64_t xdictionary = p.extensionDictionary()) m_xdictionaries.emplace_back(index, xdictionary);
    object->setXDataValues(p.xdata());
    return index;
}

std::uint32_t Reader::nameIndex(std::string_view raw)
{
    // Neighbouring entities mostly share their names: the last few found are tried first.
    for (const RecentName& r : m_recentNames)
        if (r.name && *r.name == raw) return r.index;
    auto it = m_nameByRaw.find(raw);
    if (it == m_nameByRaw.end()) {
        auto index = static_cast<std::uint32_t>(m_names.size());
        m_names.push_back(Name{decode(raw), std::nullopt});
        it = m_nameByRaw.emplace(std::string(raw), index).first;
    }
    m_recentNames[m_nextRecent++ % std::size(m_recentNames)] = RecentName{&it->first, it->second};
    return it->second;
}

std::uint32_t Reader::nameIndex(const DxfRecordParser& p, int code, std::string_view fallback)
{
    const DxfTag* t = p.tag(code);
    return nameIndex(t ? m_in.text(*t) : fallback);
}

KvSharedName Reader::sharedName(std::uint32_t index)
{
    Name& n = m_names[index];
    if (!n.shared) n.shared = KvSharedName(n.text);
    return *n.shared;
}

void Reader::run()
{
    m_doc.binary = m_in.isBinary();
    m_doc.oneByteCodes = m_in.hasOneByteCodes();
    // Typical record sizes: enough room up front, no regrowth on big drawings.
    const std::size_t expected = static_cast<std::size_t>(m_doc.source.size() / 150 + 16);
    m_staged.reserve(expected);
    m_db.reserveObjects(expected);
    m_doc.chunks.reserve(expected);
    m_chunkStaged.reserve(expected);
    kvAdviseHugePages(m_staged.data(), m_staged.capacity() * sizeof(Staged));
    kvAdviseHugePages(m_doc.chunks.data(), m_doc.chunks.capacity() * sizeof(DxfChunk));
    std::uint64_t firstTag = m_in.offset();
    if (m_doc.source.size() == 0) m_in.fail("the file is empty");
    addChunk(0, firstTag, DxfChunkKind::kRaw);
    while (readRecord()) {
        const DxfTag& head = m_tags.front();
        if (head.code != 0) {
            // Comments before the first section.
            if (m_section == DxfSectionId::kNone && (head.code == 999)) {
                addRecordChunk(DxfChunkKind::kRaw);
                continue;
            }
            m_in.fail(head.pos, "group code 0 expected, found " + std::to_string(head.code));
        }
        std::string_view name = m_in.text(head, true);
        if (name == "EOF") {
            if (m_section != DxfSectionId::kNone) m_in.fail(head.pos, "EOF inside a section (missing ENDSEC)");
            addRecordChunk(DxfChunkKind::kRaw);
            // Whatever follows EOF is kept as it is.
            addChunk(m_recEnd, m_doc.source.size(), DxfChunkKind::kRaw);
            m_sawEof = true;
            break;
        }
        if (name == "SECTION") {
            if (m_section != DxfSectionId::kNone) m_in.fail(head.pos, "SECTION inside a section (missing ENDSEC)");
            if (m_tags.size() < 2 || m_tags[1].code != 2) m_in.fail(head.pos, "SECTION without its name");
            std::string_view sname = m_in.text(m_tags[1], true);
            m_section = sname == "HEADER"     ? DxfSectionId::kHeader
                        : sname == "CLASSES"  ? DxfSectionId::kClasses
                        : sname == "TABLES"   ? DxfSectionId::kTables
                        : sname == "BLOCKS"   ? DxfSectionId::kBlocks
                        : sname == "ENTITIES" ? DxfSectionId::kEntities
                        : sname == "OBJECTS"  ? DxfSectionId::kObjects
                                              : DxfSectionId::kOther;
            if (m_section == DxfSectionId::kObjects)
                m_doc.objectsBegin = static_cast<std::uint32_t>(m_doc.chunks.size());
            if (m_section == DxfSectionId::kHeader)
                readHeader();
            else
                addRecordChunk(DxfChunkKind::kRaw);
            continue;
        }
        if (name == "ENDSEC") {
            if (m_section == DxfSectionId::kNone) m_in.fail(head.pos, "ENDSEC outside a section");
            if (m_expectFollowers) m_in.fail(head.pos, "SEQEND missing before ENDSEC");
            auto here = static_cast<std::uint32_t>(m_doc.chunks.size());
            if (m_section == DxfSectionId::kEntities) m_doc.entitiesEnd = here;
            if (m_section == DxfSectionId::kBlocks) m_doc.blocksEnd = here;
            if (m_section == DxfSectionId::kObjects) m_doc.objectsEnd = here;
            if (m_section == DxfSectionId::kTables && m_currentTable != kNone)
                m_in.fail(head.pos, "ENDSEC inside a table (missing ENDTAB)");
            if (m_section == DxfSectionId::kBlocks && m_currentBlock != kNone)
                m_in.fail(head.pos, "ENDSEC inside a block (missing ENDBLK)");
            addRecordChunk(DxfChunkKind::kRaw);
            m_section = DxfSectionId::kNone;
            continue;
        }
        // New handles must come above all of them: BLOCK, ENDBLK, VERTEX and SEQEND included.
        if (m_section == DxfSectionId::kTables || m_section == DxfSectionId::kBlocks ||
            m_section == DxfSectionId::kEntities || m_section == DxfSectionId::kObjects)
            noteHandle(recordHandle(), head.pos.offset);
        switch (m_section) {
        case DxfSectionId::kNone: m_in.fail(head.pos, "SECTION expected, found \"" + std::string(name) + "\"");
        case DxfSectionId::kHeader: m_in.fail(head.pos, "unexpected \"" + std::string(name) + "\" in HEADER");
        case DxfSectionId::kClasses:
        case DxfSectionId::kOther: addRecordChunk(DxfChunkKind::kRaw); break;
        case DxfSectionId::kTables:
            if (name == "TABLE") {
                if (m_currentTable != kNone) m_in.fail(head.pos, "TABLE inside a table (missing ENDTAB)");
                DxfRecordParser p(m_in, m_tags, m_doc.codec);
                std::u16string tname = p.text(2);
                KvDbObject* table = nullptr;
                int known = -1;
                if (tname == u"BLOCK_RECORD")
                    table = new KvDbBlockTable, known = 0;
                else if (tname == u"LAYER")
                    table = new KvDbLayerTable, known = 1;
                else if (tname == u"LTYPE")
                    table = new KvDbLinetypeTable, known = 2;
                else if (tname == u"STYLE")
                    table = new KvDbTextStyleTable, known = 3;
                else if (tname == u"APPID")
                    table = new KvDbRegAppTable, known = 4;
                else
                    table = new KvDbGenericObject(u"TABLE");
                std::unique_ptr<KvDbObject> owner(table);
                m_currentTable = stage(owner.release(), kOther, p);
                if (known >= 0) {
                    if (m_tableStaged[known] != kNone) m_in.fail(head.pos, "second " + kvToUtf8(tname) + " table");
                    m_tableStaged[known] = m_currentTable;
                }
                m_currentTableName = tname;
                addRecordChunk(DxfChunkKind::kObject, m_currentTable);
            } else if (name == "ENDTAB") {
                if (m_currentTable == kNone) m_in.fail(head.pos, "ENDTAB without TABLE");
                auto here = static_cast<std::uint32_t>(m_doc.chunks.size());
                if (m_currentTableName == u"APPID") m_doc.appIdTableEnd = here;
                if (m_currentTableName == u"BLOCK_RECORD") m_doc.blockRecordTableEnd = here;
                addRecordChunk(DxfChunkKind::kRaw);
                m_currentTable = kNone;
            } else {
                if (m_currentTable == kNone) m_in.fail(head.pos, "table record outside a table");
                readTableRecord(name);
            }
            break;
        case DxfSectionId::kBlocks:
            if (name == "BLOCK") {
                if (m_currentBlock != kNone) m_in.fail(head.pos, "BLOCK inside a block (missing ENDBLK)");
                readBlockBegin();
            } else if (name == "ENDBLK") {
                if (m_currentBlock == kNone) m_in.fail(head.pos, "ENDBLK without BLOCK");
                if (m_expectFollowers) m_in.fail(head.pos, "SEQEND missing before ENDBLK");
                addRecordChunk(DxfChunkKind::kBlockEnd, m_currentBlock);
                m_currentBlock = kNone;
            } else {
                if (m_currentBlock == kNone) m_in.fail(head.pos, "entity outside a block");
                readEntity(name);
            }
            break;
        case DxfSectionId::kEntities: readEntity(name); break;
        case DxfSectionId::kObjects: readObject(name); break;
        }
    }
    if (!m_sawEof) {
        if (m_section != DxfSectionId::kNone)
            m_in.fail("the file ends inside a section, without ENDSEC and EOF (truncated file?)");
        m_in.fail("the file ends without EOF (truncated file?)");
    }
    m_progress.advance(m_doc.source.size());
    finish();
}

std::uint64_t Reader::recordHandle() const
{
    const int code = m_in.text(m_tags.front(), true) == "DIMSTYLE" ? 105 : 5;
    for (std::size_t i = 1; i < m_tags.size() && m_tags[i].code != 1001; ++i)
        if (m_tags[i].code == code) return m_in.handle(m_tags[i]);
    return 0;
}

void Reader::readHeader()
{
    m_sawHeader = true;
    // [0 SECTION, 2 HEADER] then one chunk per variable, each starting at its 9 group.
    std::size_t i = 0;
    while (i < m_tags.size() && m_tags[i].code != 9) ++i;
    std::uint64_t firstVar = i < m_tags.size() ? m_tags[i].pos.offset : m_recEnd;
    addChunk(m_recBegin, firstVar, DxfChunkKind::kRaw);
    while (i < m_tags.size()) {
        std::size_t j = i + 1;
        while (j < m_tags.size() && m_tags[j].code != 9) ++j;
        std::uint64_t end = j < m_tags.size() ? m_tags[j].pos.offset : m_recEnd;
        std::string_view var = m_in.text(m_tags[i], true);
        auto here = static_cast<std::uint32_t>(m_doc.chunks.size());
        addChunk(m_tags[i].pos.offset, end, DxfChunkKind::kHeaderVar);
        std::vector<DxfTag> values(m_tags.begin() + static_cast<std::ptrdiff_t>(i),
                                   m_tags.begin() + static_cast<std::ptrdiff_t>(j));
        DxfRecordParser p(m_in, values, m_doc.codec);
        if (var == "$ACADVER") {
            m_doc.headerAcadVer = here;
            m_doc.version = std::string(p.rawText(1));
            if (dxfVersionNumber(m_doc.version) == 0)
                m_in.fail(m_tags[i].pos, "unknown DXF version \"" + m_doc.version + "\"");
            if (dxfVersionNumber(m_doc.version) >= 1021) m_doc.codec.setUtf8();
        } else if (var == "$DWGCODEPAGE") {
            if (dxfVersionNumber(m_doc.version) < 1021) {
                // An unknown code page reads as Windows-1252, the most common one.
                if (!m_doc.codec.setCodePage(p.rawText(3))) m_doc.codec.setCodePage("ANSI_1252");
            }
        } else if (var == "$HANDSEED") {
            m_doc.headerHandseed = here;
            m_fileHandseed = p.handleAt(5);
        } else if (var == "$LUPREC") {
            m_db.setLuprec(static_cast<short>(p.integer(70)));
        } else if (var == "$UCSORG") {
            m_ucsorg = p.point(10);
        } else if (var == "$UCSXDIR") {
            KvGePoint3d x = p.point(10, {1, 0, 0});
            m_ucsx = KvGeVector3d(x.x, x.y, x.z);
        } else if (var == "$UCSYDIR") {
            KvGePoint3d y = p.point(10, {0, 1, 0});
            m_ucsy = KvGeVector3d(y.x, y.y, y.z);
        } else if (var == "$TEXTSTYLE") {
            m_textStyleName = p.text(7);
        }
        i = j;
    }
    m_db.setUcs(m_ucsorg, m_ucsx, m_ucsy);
}

void Reader::readTableRecord(std::string_view type)
{
    DxfRecordParser p(m_in, m_tags, m_doc.codec);
    static const char* const kKnown[] = {"LAYER", "LTYPE", "STYLE", "APPID", "BLOCK_RECORD"};
    for (const char* k : kKnown)
        if ((type == k) != (m_currentTableName == dxfUtf8ToUtf16(k)))
            m_in.fail(m_tags.front().pos,
                      std::string(type) + " record in the " + kvToUtf8(m_currentTableName) + " table");
    KvDbObject* object = nullptr;
    std::unique_ptr<KvDbObject> owner;
    std::u16string name = p.text(2);
    if (type == "LAYER") {
        auto* r = new KvDbLayerTableRecord;
        owner.reset(r);
        r->colorIndex = static_cast<std::int16_t>(p.integer(62, 7));
        if (p.has(420)) r->trueColor = static_cast<std::int32_t>(p.integer(420) & 0xFFFFFF);
        r->bFrozen = (p.integer(70) & 1) != 0;
        r->linetype = p.text(6, u"Continuous");
        r->lineWeight = static_cast<int>(p.integer(370, KvDb::kLnWtByLwDefault));
        object = r;
    } else if (type == "LTYPE") {
        auto* r = new KvDbLinetypeTableRecord;
        owner.reset(r);
        r->description = p.text(3);
        object = r;
    } else if (type == "STYLE") {
        auto* r = new KvDbTextStyleTableRecord;
        owner.reset(r);
        r->textSize = p.real(40);
        r->xScale = p.real(41, 1.0);
        r->obliquingAngle = p.real(50) * M_PI / 180.0;
        r->fileName = p.text(3);
        r->bigFontFileName = p.text(4);
        object = r;
    } else if (type == "APPID") {
        owner.reset(object = new KvDbRegAppTableRecord);
    } else if (type == "BLOCK_RECORD") {
        owner.reset(object = new KvDbBlockTableRecord);
    } else {
        owner.reset(object = new KvDbGenericObject(decode(type)));
    }
    if (auto* rec = kvCast<KvDbSymbolTableRecord>(object)) rec->setName(name);
    std::uint32_t s = stage(owner.release(), type == "BLOCK_RECORD" ? kBlockRecord : kOther, p);
    if (type == "STYLE") m_styleRecords.push_back(s);
    if (kvCast<KvDbSymbolTableRecord>(object))
        m_links.push_back(Link{s, LinkKind::kTableRecord, 0, 0, static_cast<int>(m_currentTable), 0});
    if (type == "LAYER" && p.has(390)) m_links.push_back(Link{s, LinkKind::kLayerPlotStyle, p.handleAt(390)});
    if (type == "BLOCK_RECORD") m_blocksByName[kvAsciiUpper(name)] = s;
    addRecordChunk(DxfChunkKind::kObject, s);
}

void Reader::readBlockBegin()
{
    DxfRecordParser p(m_in, m_tags, m_doc.codec);
    std::u16string name = p.text(2);
    std::uint32_t btr = kNone;
    auto it = m_blocksByName.find(kvAsciiUpper(name));
    if (it != m_blocksByName.end()) {
        btr = it->second;
    } else {
        // No BLOCK_RECORD for it (R12): the block record is made up for the database.
        btr = adopt(new KvDbBlockTableRecord, kBlockRecord);
        static_cast<KvDbBlockTableRecord*>(m_staged[btr].object)->setName(name);
        m_staged[btr].offset = p.position().offset;
        m_staged[btr].synthetic = true;  // linked to the block table in finish()
        m_blocksByName[kvAsciiUpper(name)] = btr;
    }
    auto* record = static_cast<KvDbBlockTableRecord*>(m_staged[btr].object);
    record->setOrigin(p.point(10));
    m_currentBlock = btr;
    addRecordChunk(DxfChunkKind::kBlockBegin, btr);
}

std::uint32_t Reader::spaceFor(const DxfRecordParser& p)
{
    bool paper = p.integer(67) == 1;
    std::u16string name = paper ? u"*PAPER_SPACE" : u"*MODEL_SPACE";
    auto it = m_blocksByName.find(name);
    if (it != m_blocksByName.end()) return it->second;
    std::uint32_t idx = adopt(new KvDbBlockTableRecord, kBlockRecord);
    static_cast<KvDbBlockTableRecord*>(m_staged[idx].object)->setName(paper ? u"*Paper_Space" : u"*Model_Space");
    m_staged[idx].synthetic = true;
    m_staged[idx].offset = kNoOffset;  // not in the file: no line to name
    m_blocksByName[name] = idx;
    return idx;
}

void Reader::readEntity(std::string_view type)
{
    DxfRecordParser p(m_in, m_tags, m_doc.codec);
    if (m_expectFollowers) {
        if (type == "SEQEND") {
            addRecordChunk(DxfChunkKind::kFollower, m_lastComplex);
            m_expectFollowers = false;
            return;
        }
        if (type == "VERTEX") {
            if (auto* pl = kvCast<KvDbPolyline>(m_staged[m_lastComplex].object)) {
                KvGePoint3d pt = p.point(10);
                double sw = p.has(40) ? p.real(40) : m_polyDefaultWidth[0];
                double ew = p.has(41) ? p.real(41) : m_polyDefaultWidth[1];
                pl->addVertexAt(pl->numVerts(), KvGePoint2d(pt.x, pt.y), p.real(42), sw, ew);
            }
            addRecordChunk(DxfChunkKind::kFollower, m_lastComplex);
            return;
        }
        if (type == "ATTRIB") {
            auto* a = new KvDbAttribute;
            std::unique_ptr<KvDbAttribute> owner(a);
            commonEntity(*a, p);
            a->setPosition(p.point(10));
            a->setTextString(p.text(1));
            a->setHeight(p.real(40));
            a->setRotation(p.real(50) * M_PI / 180.0);
            a->setTag(sharedName(nameIndex(p, 2, "")));
            a->setInvisible((p.integer(70) & 1) != 0);
            std::uint32_t s = stage(owner.release(), kEntity, p, m_lastComplex);
            if (p.has(7)) link(s, LinkKind::kTextStyleByName, p, 7, "");
            addRecordChunk(DxfChunkKind::kObject, s);
            return;
        }
        m_in.fail(m_tags.front().pos, "SEQEND missing before " + std::string(type));
    }
    if (type == "SEQEND" || type == "VERTEX" || type == "ATTRIB")
        m_in.fail(m_tags.front().pos, std::string(type) + " without the entity it belongs to");

    std::uint32_t parent = m_currentBlock;
    if (m_section == DxfSectionId::kEntities) parent = spaceFor(p);
    auto self = static_cast<std::uint32_t>(m_staged.size());
    std::uint32_t s =
        stage(makeEntity(type, p, self), type == "INSERT" || type == "ACAD_TABLE" ? kReference : kEntity, p, parent);
    // R2000 and later name the owner; it decides (a paper-space layout other than the first),
    // unless it is no block record: then the space the entity stands in, as other readers do.
    m_staged[s].ownerFirst = m_section == DxfSectionId::kEntities && m_staged[s].owner != 0;
    if (type == "MTEXT" && hasFurtherParts(m_staged[s].object->xDataValues())) m_multiPartTexts.push_back(s);
    addRecordChunk(DxfChunkKind::kObject, s);
    if (type == "INSERT" && p.integer(66) == 1) {
        m_lastComplex = s;
        m_expectFollowers = true;
    } else if (type == "POLYLINE") {
        m_lastComplex = s;
        m_expectFollowers = true;
    }
}

void Reader::commonEntity(KvDbEntity& e, const DxfRecordParser& p)
{
    e.setLayer(sharedName(nameIndex(p, 8, "0")));
    e.setColorIndex(static_cast<std::uint16_t>(p.integer(62, 256)));
    e.setLinetype(sharedName(nameIndex(p, 6, "ByLayer")));
    e.setLinetypeScale(p.real(48, 1.0));
    e.setLineWeight(static_cast<int>(p.integer(370, KvDb::kLnWtByLayer)));
    e.setVisibility(p.integer(60) == 0);
    if (p.has(420)) e.setTrueColor(static_cast<std::int32_t>(p.integer(420) & 0xFFFFFF));
}

KvDbEntity* Reader::makeEntity(std::string_view type, const DxfRecordParser& p, std::uint32_t self)
{
    // Owned from the start: a bad value further down must not leak it.
    std::unique_ptr<KvDbEntity> owner;
    KvDbEntity* result = nullptr;
    auto normal = [&] {
        KvGePoint3d n = p.point(210, {0, 0, 1});
        return KvGeVector3d(n.x, n.y, n.z);
    };
    if (type == "LINE") {
        auto* e = new KvDbLine(p.point(10), p.point(11));
        owner.reset(e);
        e->setThickness(p.real(39));
        e->setNormal(normal());
        result = e;
    } else if (type == "LWPOLYLINE") {
        auto* e = new KvDbPolyline;
        owner.reset(e);
        int flags = static_cast<int>(p.integer(70));
        double constant = p.real(43);
        p.forEachVertex([&](const KvGePoint2d& pt, double sw, double ew, double bulge, bool hasSw, bool hasEw) {
            e->addVertexAt(e->numVerts(), pt, bulge, hasSw ? sw : constant, hasEw ? ew : constant);
        });
        e->setClosed((flags & 1) != 0);
        e->setPlinegen((flags & 128) != 0);
        e->setElevation(p.real(38));
        e->setThickness(p.real(39));
        e->setNormal(normal());
        result = e;
    } else if (type == "POLYLINE") {
        int flags = static_cast<int>(p.integer(70));
        m_polyDefaultWidth[0] = p.real(40);
        m_polyDefaultWidth[1] = p.real(41);
        // Plain 2D polylines are lightweight polylines, as a CAD program converts them when it
        // opens an older drawing; fitted ones, 3D polylines and meshes stay what they are.
        if ((flags & (2 | 4 | 8 | 16 | 64)) == 0) {
            auto* e = new KvDbPolyline;
            owner.reset(e);
            e->setClosed((flags & 1) != 0);
            e->setPlinegen((flags & 128) != 0);
            e->setElevation(p.point(10).z);
            e->setThickness(p.real(39));
            e->setNormal(normal());
            result = e;
        } else {
            owner.reset(result = new KvDbGenericEntity(u"POLYLINE"));
        }
    } else if (type == "ARC") {
        auto* e = new KvDbArc(p.point(10), p.real(40), p.real(50) * M_PI / 180.0, p.real(51) * M_PI / 180.0);
        owner.reset(e);
        e->setThickness(p.real(39));
        e->setNormal(normal());
        result = e;
    } else if (type == "CIRCLE") {
        auto* e = new KvDbCircle(p.point(10), p.real(40));
        owner.reset(e);
        e->setThickness(p.real(39));
        e->setNormal(normal());
        result = e;
    } else if (type == "SOLID") {
        auto* e = new KvDbSolid;
        owner.reset(e);
        e->setPointAt(0, p.point(10));
        e->setPointAt(1, p.point(11));
        e->setPointAt(2, p.point(12));
        e->setPointAt(3, p.has(13) ? p.point(13) : p.point(12));
        e->setThickness(p.real(39));
        e->setNormal(normal());
        result = e;
    } else if (type == "3DSOLID") {
        auto* e = new KvDb3dSolid;
        owner.reset(e);
        e->setModelerData(p.modelerData());
        result = e;
    } else if (type == "POINT") {
        auto* e = new KvDbPoint(p.point(10));
        owner.reset(e);
        e->setThickness(p.real(39));
        e->setNormal(normal());
        e->setEcsRotation(p.real(50) * M_PI / 180.0);
        result = e;
    } else if (type == "MTEXT") {
        auto* e = new KvDbMText;
        owner.reset(e);
        e->setLocation(p.point(10));
        e->setContents(p.mtextContents());
        e->setTextHeight(p.real(40, 2.5));
        e->setWidth(p.real(41));
        e->setAttachment(static_cast<int>(p.integer(71, 1)));
        e->setFlowDirection(static_cast<int>(p.integer(72, 1)));
        e->setNormal(normal());
        if (p.has(11)) {
            KvGePoint3d d = p.point(11);
            e->setDirection(KvGeVector3d(d.x, d.y, d.z));
            e->setRotation(std::atan2(d.y, d.x));
        } else {
            // Degrees, as CAD programs write it (not the radians some references say).
            double r = p.real(50) * M_PI / 180.0;
            e->setRotation(r);
            e->setDirection(KvGeVector3d(std::cos(r), std::sin(r), 0));
        }
        e->setBackgroundFill((p.integer(90) & 1) != 0);
        e->setLineSpacingFactor(p.real(44, 1.0));
        e->setLineSpacingStyle(static_cast<int>(p.integer(73, 1)));
        // Group 7 is left out when the text uses the default style.
        link(self, LinkKind::kTextStyleByName, p, 7, "Standard");
        result = e;
    } else if (type == "TEXT") {
        auto* e = new KvDbText;
        owner.reset(e);
        e->setPosition(p.point(10));
        e->setTextString(p.text(1));
        e->setHeight(p.real(40));
        e->setRotation(p.real(50) * M_PI / 180.0);
        if (p.has(7)) link(self, LinkKind::kTextStyleByName, p, 7, "");
        result = e;
    } else if (type == "INSERT") {
        auto* e = new KvDbBlockReference;
        owner.reset(e);
        e->setPosition(p.point(10));
        e->setScaleFactors(KvGeScale3d(p.real(41, 1.0), p.real(42, 1.0), p.real(43, 1.0)));
        e->setRotation(p.real(50) * M_PI / 180.0);
        e->setNormal(normal());
        link(self, LinkKind::kBlockByName, p, 2, "");
        result = e;
    } else if (type == "ACAD_TABLE") {
        auto* e = new KvDbTable;
        owner.reset(e);
        readTable(*e, p, self);
        result = e;
    } else {
        owner.reset(result = new KvDbGenericEntity(decode(type)));
    }
    commonEntity(*result, p);
    if (p.has(390)) m_links.push_back(Link{self, LinkKind::kPlotStyle, p.handleAt(390)});
    return owner.release();
}

void Reader::readTable(KvDbTable& t, const DxfRecordParser& p, std::uint32_t self)
{
    DxfTableData data = p.tableData();
    t.setPosition(p.point(10));
    link(self, LinkKind::kBlockByName, p, 2, "");
    if (data.styleHandle != 0) m_links.push_back(Link{self, LinkKind::kTableStyle, data.styleHandle});
    if (data.rows <= 0 || data.columns <= 0) return;
    t.setSize(data.rows, data.columns);
    for (int c = 0; c < data.columns && c < static_cast<int>(data.columnWidths.size()); ++c)
        t.setColumnWidth(c, data.columnWidths[static_cast<std::size_t>(c)]);
    for (int r = 0; r < data.rows && r < static_cast<int>(data.rowHeights.size()); ++r)
        t.setRowHeight(r, data.rowHeights[static_cast<std::size_t>(r)]);
    const auto columns = static_cast<std::size_t>(data.columns);
    for (std::size_t i = 0; i < data.cells.size() && i / columns < static_cast<std::size_t>(data.rows); ++i) {
        const DxfTableCell& cell = data.cells[i];
        const int r = static_cast<int>(i / columns), c = static_cast<int>(i % columns);
        if (cell.blockHandle != 0) {
            Link l{self, LinkKind::kCellBlock, cell.blockHandle, {}};
            l.row = r;
            l.col = c;
            m_links.push_back(l);
        } else if (!cell.text.empty()) {
            t.setTextString(r, c, cell.text);
        }
        if (cell.textHeight > 0) t.setTextHeight(r, c, cell.textHeight);
        // Spans reach at most the table's edge (the sums cannot overflow in 64 bits).
        auto last = [](int first, int span, int count) {
            return static_cast<int>(std::min<std::int64_t>(count - 1, std::int64_t{first} + span - 1));
        };
        if (cell.spanColumns > 1 || cell.spanRows > 1)
            t.mergeCells(r, last(r, cell.spanRows, data.rows), c, last(c, cell.spanColumns, data.columns));
    }
}

void Reader::readObject(std::string_view type)
{
    DxfRecordParser p(m_in, m_tags, m_doc.codec);
    KvDbObject* object = nullptr;
    std::uint32_t self = static_cast<std::uint32_t>(m_staged.size());
    std::unique_ptr<KvDbObject> owner;
    if (type == "DICTIONARY") {
        owner.reset(object = new KvDbDictionary);
        for (auto& [entry, handle] : p.dictionaryEntries()) {
            m_names.push_back(Name{std::move(entry), std::nullopt});
            m_links.push_back(Link{self, LinkKind::kDictEntry, handle, static_cast<std::uint32_t>(m_names.size() - 1)});
        }
        if (m_rootDictionary == kNone) m_rootDictionary = self;
    } else if (type == "XRECORD") {
        auto* x = new KvDbXrecord;
        owner.reset(object = x);
        x->setData(p.xrecordData());
    } else if (type == "TABLESTYLE") {
        auto* s = new KvDbTableStyle;
        owner.reset(object = s);
        s->setTextHeight(p.real(140, 0.18));
        s->setHorizontalCellMargin(p.real(40, 0.06));
        if (p.has(7)) link(self, LinkKind::kTextStyleByName, p, 7, "");
    } else {
        owner.reset(object = new KvDbGenericObject(decode(type)));
    }
    std::uint32_t s = stage(owner.release(), kOther, p);
    addRecordChunk(DxfChunkKind::kObject, s);
}

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
        const KvDbObjectPointer<KvDbMText> opened(text->objectId(), KvDb::kForWrite);
        if (opened) opened->setContents(std::move(contents));
    }
}

void Reader::finish()
{
    storeObjects();
    addMissingTables();
    attachToOwners();
    resolveLinks();
    joinMultiPartTexts();
    std::vector<KvDbObjectId> references;
    for (const Staged& s : m_staged)
        if (s.kind == kReference) references.push_back(s.id());
    dxfResolveDynamicBlocks(m_db, m_doc, references);
    for (Staged& s : m_staged) s.object->setModifiedSinceLoad(false);
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
    for (Staged& s : m_staged) {
        if (s.handle == 0) continue;
        KvDbObjectId id;
        Kvmo::ErrorStatus es = m_db.addKvDbObject(id, s.object, KvDbHandle(s.handle));
        if (es == Kvmo::eDuplicateKey) failAt(s.offset, "duplicate handle " + hexText(s.handle));
        if (es != Kvmo::eOk) failAt(s.offset, "object could not be stored");
        s.owned = false;
        s.objectId = id;
    }
    m_db.setHandseed(KvDbHandle(std::max(m_maxHandle + 1, m_fileHandseed)));
    for (Staged& s : m_staged) {
        if (!s.owned) continue;
        s.objectId = addWithNewHandle(s.object, s.offset);
        s.owned = false;
        if (s.synthetic) m_doc.synthetic.insert(s.objectId.serial());
    }
    for (std::size_t i = 0; i < m_doc.chunks.size(); ++i)
        if (m_chunkStaged[i] != kNone) m_doc.chunks[i].id = m_staged[m_chunkStaged[i]].id();
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
            }
            if (layout) {
                layout->attachLoadedEntity(s.id());
                o->setOwnerId(layoutId);
                continue;
            }
        }
        const Staged* p = parent == kNone ? nullptr : &m_staged[parent];
        if (p && p->kind == kBlockRecord) {
            static_cast<KvDbBlockTableRecord*>(p->object)->attachLoadedEntity(s.id());
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
    std::vector<std::optional<KvDbObjectId>> styleMemo(m_names.size());
    auto styleFor = [&](std::uint32_t n) {
        if (!styleMemo[n]) {
            auto it = textStyles.find(kvAsciiUpper(name(n)));
            styleMemo[n] = it == textStyles.end() ? KvDbObjectId() : it->second;
        }
        return *styleMemo[n];
    };
    for (const Link& l : m_links) {
        KvDbObject* o = m_db.objectAt(m_staged[l.staged].id());
        // The setters want a write open; the flags it leaves are cleared below.
        const KvDbObjectPointer<KvDbObject> opened(o->objectId(), KvDb::kForWrite);
        switch (l.kind) {
        case LinkKind::kBlockByName: {
            std::uint32_t block = blockFor(l.name);
            if (block == kNone)
                failAt(m_staged[l.staged].offset, "block \"" + kvToUtf8(name(l.name)) + "\" is not defined");
            static_cast<KvDbBlockReference*>(o)->setBlockTableRecord(m_staged[block].id());
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

}  // namespace

namespace {
constexpr std::size_t kWindowBytes = 4 << 20;

DxfLoaded readSource(DxfSource source, std::size_t windowBytes)
{
    DxfLoaded out;
    out.document = std::make_unique<DxfDocument>();
    out.document->fileName = source.name();
    out.document->source = std::move(source);
    out.database = std::make_unique<KvDbDatabase>(false);
    Reader reader(*out.document, *out.database, windowBytes);
    reader.run();
    // Changed while it was being read: what was read may be a mixture.
    out.document->source.checkUnchanged();
    return out;
}
}  // namespace

DxfLoaded dxfReadBytes(std::string bytes, const std::string& name, std::size_t windowBytes)
{
    return readSource(DxfSource::fromBytes(std::move(bytes), name), windowBytes);
}

DxfLoaded dxfReadBytes(std::string bytes, const std::string& name)
{
    return dxfReadBytes(std::move(bytes), name, kWindowBytes);
}

DxfLoaded dxfReadFile(const std::string& path)
{
    return readSource(DxfSource::openFile(path), kWindowBytes);
}
