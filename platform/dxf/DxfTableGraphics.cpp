#include "DxfTableGraphics.h"

#include <utility>

#include "DxfTagWriter.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbTable.h"

namespace {
std::uint64_t handleOf(const KvDbDatabase& db, KvDbObjectId id)
{
    const KvDbObject* o = id.isNull() ? nullptr : db.objectAt(id);
    return o ? o->handle().value() : 0;
}

// A table cell's groups before its content.
void writeCellStart(DxfTagWriter& w, bool block, bool merged, bool autoFit, int columns, int rows)
{
    w.integer(171, block ? 2 : 1);
    w.integer(172, 0);
    w.integer(173, merged ? 1 : 0);
    w.integer(174, autoFit ? 1 : 0);
    w.integer(175, columns);
    w.integer(176, rows);
    w.integer(91, 0);
    w.integer(178, 0);
    w.real(145, 0.0);
}

void writeTextValueStart(DxfTagWriter& w)
{
    w.integer(92, 0);
    w.ascii(301, "CELL_VALUE");
    w.integer(93, 6);
    w.integer(90, 4);
}
}  // namespace

DxfTableGraphics::DxfTableGraphics(const KvDbDatabase& db, const KvDbTable& table, KvDbObjectId existingBlock,
                                   std::u16string newBlockName)
    : m_db(db),
      m_table(table),
      m_existingBlock(existingBlock),
      m_blockName(std::move(newBlockName)),
      m_layout(db, table),
      m_lineCount(m_layout.lineCount())
{
    m_layout.countCells(m_textCount, m_blockCount);
    if (auto* btr = kvCast<KvDbBlockTableRecord>(db.objectAt(existingBlock))) {
        m_blockName = btr->getName();
        m_blockHandle = btr->handle().value();
    }
    m_blockTableHandle = handleOf(db, db.blockTableId());
}

bool DxfTableGraphics::allocateHandles(std::uint64_t& seed)
{
    // The last handle stays free, as the database keeps it: the seed must stay above them all.
    const std::uint64_t graphics = m_lineCount + m_textCount + m_blockCount;
    const std::uint64_t needed = (ownsNewBlock() ? 3 : 0) + graphics;
    if (seed == 0 || needed >= ~std::uint64_t{0} - seed) return false;
    if (ownsNewBlock()) {
        m_blockHandle = seed++;
        m_beginHandle = seed++;
        m_endHandle = seed++;
    }
    m_firstHandle = seed;
    seed += graphics;
    return true;
}

void DxfTableGraphics::writeBlockRecord(DxfTagWriter& w) const
{
    if (!ownsNewBlock()) return;
    w.ascii(0, "BLOCK_RECORD");
    w.handle(5, m_blockHandle);
    w.handle(330, m_blockTableHandle);
    w.ascii(100, "AcDbSymbolTableRecord");
    w.ascii(100, "AcDbBlockTableRecord");
    w.text(2, m_blockName);
    w.handle(340, 0);
    w.integer(70, 0);
    w.integer(280, 1);
    w.integer(281, 0);
}

void DxfTableGraphics::writeBlock(DxfTagWriter& w) const
{
    if (!ownsNewBlock()) return;
    w.ascii(0, "BLOCK");
    w.handle(5, m_beginHandle);
    w.handle(330, m_blockHandle);
    w.ascii(100, "AcDbEntity");
    w.text(8, m_table.layer());
    w.ascii(100, "AcDbBlockBegin");
    w.text(2, m_blockName);
    w.integer(70, 1);
    w.point(10, KvGePoint3d());
    w.text(3, m_blockName);
    w.ascii(1, "");
    writeEntities(w);
    w.ascii(0, "ENDBLK");
    w.handle(5, m_endHandle);
    w.handle(330, m_blockHandle);
    w.ascii(100, "AcDbEntity");
    w.text(8, m_table.layer());
    w.ascii(100, "AcDbBlockEnd");
}

void DxfTableGraphics::writeEntities(DxfTagWriter& w) const
{
    std::uint64_t h = m_firstHandle;
    // A graphic's first groups but its handle are the same for all of a kind: made once.
    using Start = std::pair<std::string, std::string>;  // before the handle, after it
    const std::string layer = w.encode(m_table.layer());
    const auto startOf = [&](const char* type, const char* subclass) {
        return Start{w.groupsOf([&](DxfTagWriter& g) { g.ascii(0, type); }), w.groupsOf([&](DxfTagWriter& g) {
                         g.handle(330, m_blockHandle);
                         g.ascii(100, "AcDbEntity");
                         g.ascii(8, layer);
                         g.ascii(100, subclass);
                     })};
    };
    const auto start = [&](const Start& s) {
        w.bytes(s.first);
        w.handle(5, h++);
        w.bytes(s.second);
    };
    const Start line = startOf("LINE", "AcDbLine");
    m_layout.forEachLine([&](const KvTableLayout::Line& l) {
        start(line);
        w.point(10, l.a);
        w.point(11, l.b);
    });
    // The cells share a few styles: a name is looked up and encoded when it changes.
    KvDbObjectId lastStyle;  // null: no name
    std::string styleName;
    bool hasStyle = false;
    const Start mtext = startOf("MTEXT", "AcDbMText");
    m_layout.forEachText([&](const KvTableLayoutWalk::Text& t) {
        start(mtext);
        w.point(10, t.at);
        w.real(40, t.height);
        w.real(41, t.width);
        w.integer(71, 1);
        w.integer(72, 1);
        // Long texts travel in 250-character pieces (3 groups) before the last (1).
        std::u16string_view s = t.text;
        for (; s.size() > 250; s.remove_prefix(250)) w.text(3, s.substr(0, 250));
        w.text(1, s);
        if (t.style != lastStyle) {
            lastStyle = t.style;
            const auto* rec = kvCast<KvDbSymbolTableRecord>(m_db.objectAt(t.style));
            hasStyle = rec && !rec->getName().empty();
            styleName = hasStyle ? w.encode(rec->getName()) : std::string();
        }
        if (hasStyle) w.ascii(7, styleName);
    });
    const Start insert = startOf("INSERT", "AcDbBlockReference");
    m_layout.forEachBlock([&](const KvTableLayout::Block& b) {
        start(insert);
        const auto* btr = kvCast<KvDbBlockTableRecord>(m_db.objectAt(b.block));
        w.text(2, btr ? btr->getName() : std::u16string());
        w.point(10, b.at);
    });
}

void DxfTableGraphics::writeTable(DxfTagWriter& w) const
{
    const KvDbTable& t = m_table;
    w.ascii(0, "ACAD_TABLE");
    w.handle(5, t.handle().value());
    if (!t.extensionDictionary().isNull()) {
        w.ascii(102, "{ACAD_XDICTIONARY");
        w.handle(360, handleOf(m_db, t.extensionDictionary()));
        w.ascii(102, "}");
    }
    w.handle(330, handleOf(m_db, t.ownerId()));
    w.ascii(100, "AcDbEntity");
    w.text(8, t.layer());
    if (t.linetype() != u"ByLayer") w.text(6, t.linetype());
    if (t.colorIndex() != 256) w.integer(62, t.colorIndex());
    if (t.lineWeight() != -1) w.integer(370, t.lineWeight());
    if (t.linetypeScale() != 1.0) w.real(48, t.linetypeScale());
    if (!t.visible()) w.integer(60, 1);
    w.ascii(100, "AcDbBlockReference");
    w.text(2, m_blockName);
    w.point(10, t.position());
    w.ascii(100, "AcDbTable");
    w.integer(280, 0);
    if (std::uint64_t style = handleOf(m_db, t.tableStyle())) w.handle(342, style);
    w.handle(343, m_blockHandle);
    w.point(11, KvGePoint3d(1, 0, 0));
    w.integer(90, 22);
    w.integer(91, t.numRows());
    w.integer(92, t.numColumns());
    w.integer(93, 0);
    w.integer(94, 0);
    w.integer(95, 0);
    w.integer(96, 0);
    for (double h : m_layout.rowHeights()) w.real(141, h);
    for (double cw : m_layout.columnWidths()) w.real(142, cw);
    // Most cells are texts of their own: the groups around their text are the same for each.
    const std::string plainStart = w.groupsOf([](DxfTagWriter& g) {
        writeCellStart(g, false, false, false, 1, 1);
        writeTextValueStart(g);
    });
    const std::string valueMiddle = w.groupsOf([](DxfTagWriter& g) {
        g.integer(94, 0);
        g.ascii(300, "");
    });
    for (int r = 0; r < t.numRows(); ++r) {
        for (int c = 0; c < t.numColumns(); ++c) {
            int r0 = r, r1 = r, c0 = c, c1 = c;
            bool merged = t.isMergedCell(r, c, &r0, &r1, &c0, &c1);
            bool topLeft = merged && r0 == r && c0 == c;
            KvDbObjectId block = t.blockTableRecordId(r, c);
            const KvDbTable::Cell* cell = t.cellAt(r, c);
            const bool autoFit = cell && cell->autoFit;
            if (!merged && block.isNull() && !autoFit) {
                w.bytes(plainStart);
            } else {
                writeCellStart(w, !block.isNull(), merged, autoFit, topLeft ? c1 - c0 + 1 : 1,
                               topLeft ? r1 - r0 + 1 : 1);
                if (!block.isNull()) {
                    w.handle(340, handleOf(m_db, block));
                    w.real(144, 1.0);
                    w.integer(179, 0);
                    continue;
                }
                writeTextValueStart(w);
            }
            const std::u16string_view text = cell ? std::u16string_view(cell->text) : std::u16string_view();
            w.text(1, text);
            w.bytes(valueMiddle);
            w.text(302, text);
            w.ascii(304, "ACVALUE_END");
        }
    }
    for (const KvTypedValue& v : t.xDataValues()) w.typed(v);
}
