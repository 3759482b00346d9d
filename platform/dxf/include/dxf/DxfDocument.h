#pragma once
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "dxf/DxfSource.h"
#include "dxf/DxfTextCodec.h"
#include "kv/KvDbObjectId.h"

// What a stretch of the file is, so the writer knows whether it can copy it.
enum class DxfChunkKind : std::uint8_t {
    kRaw,         // structure and data nobody edits: copied as is
    kHeaderVar,   // one header variable ($NAME and its values)
    kObject,      // an object or entity of the database
    kFollower,    // belongs to the object before it (VERTEX, SEQEND): kept or dropped with it
    kBlockBegin,  // BLOCK of a block record
    kBlockEnd,    // ENDBLK of a block record
};

// A record of the file: one object, one header variable or a piece of structure. Sixteen
// bytes: a large drawing has a chunk for each of its hundreds of thousands of records.
struct DxfChunk {
    std::uint64_t begin : 56 = 0;
    DxfChunkKind kind : 8 = DxfChunkKind::kRaw;
    std::uint32_t size = 0;
    // Object, owner of a follower, or block record of BLOCK/ENDBLK/its entities, as its place
    // among the document's serials (DxfDocument::chunkId); 0 for none.
    std::uint32_t object = 0;
};

enum class DxfSectionId : std::uint8_t { kNone, kHeader, kClasses, kTables, kBlocks, kEntities, kObjects, kOther };

// A drawing as read: the file cut into chunks in file order, so that what did not change is
// written back byte for byte from the file.
struct DxfDocument {
    static constexpr std::uint32_t kNoChunk = 0xFFFFFFFF;

    std::string fileName;
    DxfSource source;
    bool binary = false;
    bool oneByteCodes = false;       // binary R12: one-byte group codes
    std::string version = "AC1009";  // $ACADVER
    DxfTextCodec codec;
    std::vector<DxfChunk> chunks;

    // Where new things go (indexes into chunks: the new ones are written before these).
    std::uint32_t entitiesEnd = kNoChunk;    // ENDSEC of ENTITIES
    std::uint32_t blocksEnd = kNoChunk;      // ENDSEC of BLOCKS
    std::uint32_t objectsBegin = kNoChunk;   // SECTION of OBJECTS
    std::uint32_t objectsEnd = kNoChunk;     // ENDSEC of OBJECTS
    std::uint32_t appIdTableEnd = kNoChunk;  // ENDTAB of APPID
    std::uint32_t blockRecordTableEnd = kNoChunk;
    std::uint32_t headerAcadVer = kNoChunk;
    std::uint32_t headerHandseed = kNoChunk;

    // The object of a chunk: the objects of a file take their serials in one stretch, so a
    // chunk holds an offset into it.
    KvDbObjectId chunkId(const DxfChunk& c) const
    {
        return c.object == 0 ? KvDbObjectId() : KvDbObjectId(firstSerial + c.object - 1);
    }
    // False when the id lies outside the stretch (4 G objects from the first).
    bool setChunkId(DxfChunk& c, KvDbObjectId id) const
    {
        if (id.isNull()) {
            c.object = 0;
            return true;
        }
        if (id.serial() < firstSerial || id.serial() - firstSerial >= 0xFFFFFFFFu) return false;
        c.object = static_cast<std::uint32_t>(id.serial() - firstSerial + 1);
        return true;
    }
    std::uint64_t firstSerial = 0;  // of the objects read

    std::uint64_t handseedAtLoad = 0;
    unsigned long changeCounterAtLoad = 0;
    // Objects the reader made up for the database (an R12 file's model space...): not in the file.
    std::unordered_set<std::uint64_t> synthetic;
};

// Version number of an $ACADVER text (1009, 1015...), 0 when unknown.
int dxfVersionNumber(const std::string& acadver);
