#pragma once
// The DXF reader's state while it reads one drawing, shared by its stages: the file scan
// (DxfReader.cpp), the entity decoders (DxfEntityDecoders.cpp) and the link resolver that
// puts everything read into the database (DxfLinkResolver.cpp).
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "DxfRecordParser.h"
#include "DxfTagReader.h"
#include "dxf/DxfDocument.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfSource.h"
#include "dxf/DxfTextCodec.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbEntity.h"
#include "kv/KvDbObjectId.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvProgress.h"
#include "kv/KvSharedName.h"

class KvDbTable;

namespace dxfreader {

constexpr std::uint32_t kNone = 0xFFFFFFFF;
// A part's entities stand in the whole reader's spaces: they are put there when it takes them.
constexpr std::uint32_t kModelSpaceOfWhole = kNone - 1, kPaperSpaceOfWhole = kNone - 2;
// Thrown in a part that meets what only the whole reader may do: the whole reader reads on.
struct PartGivesUp {};

// Work done beside the reader's own on a thread of its own (on the reader's, when no thread
// is to be had); over when this goes, whatever the reader meets meanwhile.
class Beside {
public:
    template <class Fn>
    explicit Beside(Fn& fn)
    {
        try {
            m_thread = std::thread([&fn] { fn(); });
        } catch (const std::system_error&) {
            fn();
        }
    }
    Beside(const Beside&) = delete;
    Beside& operator=(const Beside&) = delete;
    ~Beside() { join(); }
    void join()
    {
        if (m_thread.joinable()) m_thread.join();
    }

private:
    std::thread m_thread;
};
constexpr std::uint64_t kNoOffset = ~std::uint64_t{0};

// Older versions keep a multi-column text's further columns as MTEXT entities and its frames
// as LWPOLYLINE entities, named in the main text's ACAD extended data between these markers.
constexpr std::u16string_view kColumnsBegin = u"ACAD_MTEXT_COLUMNS_BEGIN", kColumnsEnd = u"ACAD_MTEXT_COLUMNS_END";
constexpr std::u16string_view kFramesBegin = u"ACAD_MTEXT_TEXT_BORDERS_BEGIN",
                              kFramesEnd = u"ACAD_MTEXT_TEXT_BORDERS_END";

inline bool hasFurtherParts(const KvTypedValueList& xdata)
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
    Reader(DxfDocument& doc, KvDbDatabase& db, const DxfReadOptions& options);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    void run();

private:
    struct Part;
    // A part of the ENTITIES section from start (a record's first byte) on, read by its own
    // reader on a thread of its own; spaces are the whole reader's model and paper space.
    Reader(const Reader& whole, std::uint64_t start, const std::uint32_t (&spaces)[2]);
    // The second thread: from a record halfway through the section to the section's end.
    void startPart();
    // At the part's start: takes what it read and goes on after it (true), or drops it when
    // this reader did not arrive there as the part assumed (false: read on from here).
    bool joinPart();
    void dropPart();
    void runPart(const std::atomic<bool>& stop);
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
    std::uint32_t nameIndex(const DxfRecordParser& p, int code, std::string_view fallback)
    {
        const DxfTag* t = p.tag(code);
        return nameIndex(t ? m_in.text(*t) : fallback);
    }
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
    // The entity of a record, from the decoder of its type (DxfEntityDecoders.cpp); types
    // without one become generic entities.
    KvDbEntity* makeEntity(std::string_view type, const DxfRecordParser& p, std::uint32_t self);
    using EntityDecoder = std::unique_ptr<KvDbEntity> (Reader::*)(const DxfRecordParser& p, std::uint32_t self);
    static const std::unordered_map<std::string_view, EntityDecoder> kEntityDecoders;
    std::unique_ptr<KvDbEntity> decodeLine(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeLwPolyline(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodePolyline(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeArc(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeCircle(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeSolid(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decode3dSolid(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodePoint(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeMText(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeText(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeInsert(const DxfRecordParser& p, std::uint32_t self);
    std::unique_ptr<KvDbEntity> decodeTable(const DxfRecordParser& p, std::uint32_t self);
    std::uint32_t spaceFor(const DxfRecordParser& p);
    void setBlockByName(std::u16string upperName, std::uint32_t staged)
    {
        m_blocksByName[std::move(upperName)] = staged;
        m_spaces[0] = m_spaces[1] = kNone;
    }
    // Everything read goes into the database, in these steps.
    void finish();
    void storeObjects();
    std::size_t numberChunks();  // the first chunk whose object has no number, or the count
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
    DxfReadOptions m_options;
    std::optional<KvProgress> m_progress;  // bytes of the file read so far (a part has none)
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
        const char* name = nullptr;  // a key of m_nameByRaw (they stay in place)
        std::uint32_t size = 0;
        std::uint32_t index = 0;
    };
    // Names met before, each in a place its length and end letters choose: a drawing has few
    // names, met again and again in turn (layer, linetype, a block's attribute tags).
    static constexpr std::size_t kRecentNames = 64;
    static std::size_t recentSlot(std::string_view raw)
    {
        if (raw.empty()) return 0;
        const auto first = static_cast<unsigned char>(raw.front()), last = static_cast<unsigned char>(raw.back());
        return (raw.size() * 37 + first * 7 + last) % kRecentNames;
    }
    RecentName m_recentNames[kRecentNames];
    std::vector<std::uint32_t> m_styleRecords;  // staged STYLE records
    std::vector<DxfChunk> m_ownChunks;          // a part's, until the whole reader takes them
    std::vector<DxfChunk>& m_chunks;
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
    std::vector<KvDbObjectId> m_references;       // block references to blocks that may be dynamic
    std::uint32_t m_tableStaged[5] = {kNone, kNone, kNone, kNone,
                                      kNone};                          // block records, layers, linetypes, styles, apps
    std::unordered_map<std::u16string, std::uint32_t> m_blocksByName;  // upper-case names
    std::uint32_t m_spaces[2] = {kNone, kNone};                        // model, paper space: found once
    std::uint64_t m_fileHandseed = 0;
    std::uint64_t m_maxHandle = 0, m_maxHandleOffset = 0;  // of every record, staged or not
    std::u16string m_textStyleName;
    KvDbObjectId m_standardTableStyle;
    bool m_sawEof = false;
    bool m_sawHeader = false;
    KvGePoint3d m_ucsorg;
    KvGeVector3d m_ucsx = KvGeVector3d(1, 0, 0), m_ucsy = KvGeVector3d(0, 1, 0);
    double m_polyDefaultWidth[2] = {0, 0};
    std::unique_ptr<Part> m_part;
    std::uint64_t m_partStart = kNoOffset;  // where the part starts: the whole reader takes it there
    // Set in a part: the whole reader's spaces (kNone: it has none yet, the part gives up),
    // where the part ended (the first record it left) and that record's line from its start.
    bool m_isPart = false;
    std::uint32_t m_partSpaces[2] = {kNone, kNone};
    std::uint64_t m_partEnd = 0;
    std::uint32_t m_partEndLine = 0;
};

std::string hexText(std::uint64_t h);

}  // namespace dxfreader
