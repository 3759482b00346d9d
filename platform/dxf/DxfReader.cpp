#include "dxf/DxfReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <optional>
#include <sstream>
#include <unordered_map>

#include "DxfRecordParser.h"
#include "DxfReaderState.h"
#include "DxfTagReader.h"
#include "kv/KvDbAttribute.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbDictionary.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbTableStyle.h"
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

namespace dxfreader {

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
        // Read in place: a record has dozens of tags.
        for (;;) {
            DxfTag& next = m_tags.emplace_back();
            if (!m_in.next(next)) {
                m_tags.pop_back();
                break;
            }
            if (next.code == 0) {
                m_pending = next;
                m_havePending = true;
                m_tags.pop_back();
                break;
            }
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
    if (m_progress) m_progress->advance(start);
    const std::uint64_t unfinished = m_in.windowEnd() - start;
    std::string_view window =
        m_window.from(start, static_cast<std::size_t>(std::max<std::uint64_t>(m_windowBytes, 2 * unfinished)));
    m_in.setWindow(window, start, line, start + window.size() == m_doc.source.size());
}

void Reader::addChunk(std::uint64_t begin, std::uint64_t end, DxfChunkKind kind, std::uint32_t staged)
{
    if (end <= begin) return;
    if (end - begin > 0xFFFFFFFFull) m_in.fail("record larger than 4 GB");
    m_chunks.push_back(DxfChunk{begin, kind, static_cast<std::uint32_t>(end - begin)});
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
    if (p.hasXdata()) object->setXDataValues(p.xdata());  // a new object has none
    return index;
}

std::uint32_t Reader::nameIndex(std::string_view raw)
{
    RecentName& recent = m_recentNames[recentSlot(raw)];
    if (recent.name && recent.size == raw.size() && std::memcmp(recent.name, raw.data(), raw.size()) == 0)
        return recent.index;
    auto it = m_nameByRaw.find(raw);
    if (it == m_nameByRaw.end()) {
        auto index = static_cast<std::uint32_t>(m_names.size());
        m_names.push_back(Name{decode(raw), std::nullopt});
        it = m_nameByRaw.emplace(std::string(raw), index).first;
    }
    recent = RecentName{it->first.data(), static_cast<std::uint32_t>(it->first.size()), it->second};
    return it->second;
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
    // Chunks are small and more numerous than objects (end markers, structure): room that is
    // never used is never touched, so it costs no memory.
    const std::size_t expectedChunks = static_cast<std::size_t>(m_doc.source.size() / 64 + 16);
    m_doc.chunks.reserve(expectedChunks);
    m_chunkStaged.reserve(expectedChunks);
    kvAdviseHugePages(m_staged.data(), m_staged.capacity() * sizeof(Staged));
    kvAdviseHugePages(m_doc.chunks.data(), m_doc.chunks.capacity() * sizeof(DxfChunk));
    std::uint64_t firstTag = m_in.offset();
    if (m_doc.source.size() == 0) m_in.fail("the file is empty");
    addChunk(0, firstTag, DxfChunkKind::kRaw);
    while (readRecord()) {
        if (m_recBegin >= m_partStart && joinPart()) continue;
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
            if (m_section == DxfSectionId::kEntities) startPart();
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
    dropPart();
    if (m_progress) m_progress->advance(m_doc.source.size());
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
    if (type == "BLOCK_RECORD") setBlockByName(kvAsciiUpper(name), s);
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
        setBlockByName(kvAsciiUpper(name), btr);
    }
    auto* record = static_cast<KvDbBlockTableRecord*>(m_staged[btr].object);
    record->setOrigin(p.point(10));
    m_currentBlock = btr;
    addRecordChunk(DxfChunkKind::kBlockBegin, btr);
}

std::uint32_t Reader::spaceFor(const DxfRecordParser& p)
{
    const bool paper = p.integer(67) == 1;
    if (m_isPart) {
        // The whole reader puts the part's entities in its spaces; one it has yet to make up is
        // made on its own thread.
        if (m_partSpaces[paper] == kNone) throw PartGivesUp{};
        return paper ? kPaperSpaceOfWhole : kModelSpaceOfWhole;
    }
    if (m_spaces[paper] != kNone) return m_spaces[paper];
    std::u16string name = paper ? u"*PAPER_SPACE" : u"*MODEL_SPACE";
    auto it = m_blocksByName.find(name);
    if (it != m_blocksByName.end()) return m_spaces[paper] = it->second;
    std::uint32_t idx = adopt(new KvDbBlockTableRecord, kBlockRecord);
    static_cast<KvDbBlockTableRecord*>(m_staged[idx].object)->setName(paper ? u"*Paper_Space" : u"*Model_Space");
    m_staged[idx].synthetic = true;
    m_staged[idx].offset = kNoOffset;  // not in the file: no line to name
    m_blocksByName[name] = idx;
    return m_spaces[paper] = idx;
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

}  // namespace dxfreader

namespace {
DxfLoaded readSource(DxfSource source, const DxfReadOptions& options)
{
    DxfLoaded out;
    out.document = std::make_unique<DxfDocument>();
    out.document->fileName = source.name();
    out.document->source = std::move(source);
    out.database = std::make_unique<KvDbDatabase>(false);
    dxfreader::Reader reader(*out.document, *out.database, options);
    reader.run();
    // Changed while it was being read: what was read may be a mixture.
    out.document->source.checkUnchanged();
    return out;
}
}  // namespace

DxfLoaded dxfReadBytes(std::string bytes, const std::string& name, const DxfReadOptions& options)
{
    return readSource(DxfSource::fromBytes(std::move(bytes), name), options);
}

DxfLoaded dxfReadBytes(std::string bytes, const std::string& name, std::size_t windowBytes)
{
    DxfReadOptions options;
    options.windowBytes = windowBytes;
    return dxfReadBytes(std::move(bytes), name, options);
}

DxfLoaded dxfReadBytes(std::string bytes, const std::string& name)
{
    return dxfReadBytes(std::move(bytes), name, DxfReadOptions());
}

DxfLoaded dxfReadFile(const std::string& path)
{
    return readSource(DxfSource::openFile(path), DxfReadOptions());
}
