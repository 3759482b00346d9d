// Entity decoders: one per type of entity record, found by the type name.
#include "DxfReaderState.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <optional>
#include <sstream>
#include <unordered_map>

#include "kv/KvDb3dSolid.h"
#include "kv/KvDbArc.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbCircle.h"
#include "kv/KvDbLine.h"
#include "kv/KvDbMText.h"
#include "kv/KvDbPoint.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbSolid.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbText.h"

namespace dxfreader {

namespace {
KvGeVector3d normalOf(const DxfRecordParser& p)
{
    KvGePoint3d n = p.point(210, {0, 0, 1});
    return KvGeVector3d(n.x, n.y, n.z);
}

// Thickness (39) and extrusion direction (210), which every planar entity reads alike.
template <class Planar>
void setPlanar(Planar& e, const DxfRecordParser& p)
{
    e.setThickness(p.real(39));
    e.setNormal(normalOf(p));
}

// What a lightweight polyline and a plain 2D polyline say the same way (the elevation each in its own group).
void setPolylineForm(KvDbPolyline& e, int flags, double elevation, const DxfRecordParser& p)
{
    e.setClosed((flags & 1) != 0);
    e.setPlinegen((flags & 128) != 0);
    e.setElevation(elevation);
    setPlanar(e, p);
}
}  // namespace

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

std::unique_ptr<KvDbEntity> Reader::decodeLine(const DxfRecordParser& p, std::uint32_t)
{
    auto e = std::make_unique<KvDbLine>(p.point(10), p.point(11));
    setPlanar(*e, p);
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodeLwPolyline(const DxfRecordParser& p, std::uint32_t)
{
    auto e = std::make_unique<KvDbPolyline>();
    int flags = static_cast<int>(p.integer(70));
    double constant = p.real(43);
    p.forEachVertex([&](const KvGePoint2d& pt, double sw, double ew, double bulge, bool hasSw, bool hasEw) {
        e->addVertexAt(e->numVerts(), pt, bulge, hasSw ? sw : constant, hasEw ? ew : constant);
    });
    setPolylineForm(*e, flags, p.real(38), p);
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodePolyline(const DxfRecordParser& p, std::uint32_t)
{
    int flags = static_cast<int>(p.integer(70));
    m_polyDefaultWidth[0] = p.real(40);
    m_polyDefaultWidth[1] = p.real(41);
    // Plain 2D polylines are lightweight polylines, as a CAD program converts them when it
    // opens an older drawing; fitted ones, 3D polylines and meshes stay what they are.
    if ((flags & (2 | 4 | 8 | 16 | 64)) == 0) {
        auto e = std::make_unique<KvDbPolyline>();
        setPolylineForm(*e, flags, p.point(10).z, p);
        return e;
    }
    return std::make_unique<KvDbGenericEntity>(u"POLYLINE");
}

std::unique_ptr<KvDbEntity> Reader::decodeArc(const DxfRecordParser& p, std::uint32_t)
{
    auto e = std::make_unique<KvDbArc>(p.point(10), p.real(40), p.real(50) * M_PI / 180.0, p.real(51) * M_PI / 180.0);
    setPlanar(*e, p);
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodeCircle(const DxfRecordParser& p, std::uint32_t)
{
    auto e = std::make_unique<KvDbCircle>(p.point(10), p.real(40));
    setPlanar(*e, p);
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodeSolid(const DxfRecordParser& p, std::uint32_t)
{
    auto e = std::make_unique<KvDbSolid>();
    e->setPointAt(0, p.point(10));
    e->setPointAt(1, p.point(11));
    e->setPointAt(2, p.point(12));
    e->setPointAt(3, p.has(13) ? p.point(13) : p.point(12));
    setPlanar(*e, p);
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decode3dSolid(const DxfRecordParser& p, std::uint32_t)
{
    auto e = std::make_unique<KvDb3dSolid>();
    e->setModelerData(p.modelerData());
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodePoint(const DxfRecordParser& p, std::uint32_t)
{
    auto e = std::make_unique<KvDbPoint>(p.point(10));
    setPlanar(*e, p);
    e->setEcsRotation(p.real(50) * M_PI / 180.0);
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodeMText(const DxfRecordParser& p, std::uint32_t self)
{
    auto e = std::make_unique<KvDbMText>();
    e->setLocation(p.point(10));
    e->setContents(p.mtextContents());
    e->setTextHeight(p.real(40, 2.5));
    e->setWidth(p.real(41));
    e->setAttachment(static_cast<int>(p.integer(71, 1)));
    e->setFlowDirection(static_cast<int>(p.integer(72, 1)));
    e->setNormal(normalOf(p));
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
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodeText(const DxfRecordParser& p, std::uint32_t self)
{
    auto e = std::make_unique<KvDbText>();
    e->setPosition(p.point(10));
    e->setTextString(p.text(1));
    e->setHeight(p.real(40));
    e->setRotation(p.real(50) * M_PI / 180.0);
    if (p.has(7)) link(self, LinkKind::kTextStyleByName, p, 7, "");
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodeInsert(const DxfRecordParser& p, std::uint32_t self)
{
    auto e = std::make_unique<KvDbBlockReference>();
    e->setPosition(p.point(10));
    e->setScaleFactors(KvGeScale3d(p.real(41, 1.0), p.real(42, 1.0), p.real(43, 1.0)));
    e->setRotation(p.real(50) * M_PI / 180.0);
    e->setNormal(normalOf(p));
    link(self, LinkKind::kBlockByName, p, 2, "");
    return e;
}

std::unique_ptr<KvDbEntity> Reader::decodeTable(const DxfRecordParser& p, std::uint32_t self)
{
    auto e = std::make_unique<KvDbTable>();
    readTable(*e, p, self);
    return e;
}

const std::unordered_map<std::string_view, Reader::EntityDecoder> Reader::kEntityDecoders = {
    {"LINE", &Reader::decodeLine},         {"LWPOLYLINE", &Reader::decodeLwPolyline},
    {"POLYLINE", &Reader::decodePolyline}, {"ARC", &Reader::decodeArc},
    {"CIRCLE", &Reader::decodeCircle},     {"SOLID", &Reader::decodeSolid},
    {"3DSOLID", &Reader::decode3dSolid},   {"POINT", &Reader::decodePoint},
    {"MTEXT", &Reader::decodeMText},       {"TEXT", &Reader::decodeText},
    {"INSERT", &Reader::decodeInsert},     {"ACAD_TABLE", &Reader::decodeTable},
};

KvDbEntity* Reader::makeEntity(std::string_view type, const DxfRecordParser& p, std::uint32_t self)
{
    // Owned from the start: a bad value further down must not leak it.
    const auto decoder = kEntityDecoders.find(type);
    std::unique_ptr<KvDbEntity> owner = decoder != kEntityDecoders.end()
                                            ? (this->*decoder->second)(p, self)
                                            : std::make_unique<KvDbGenericEntity>(decode(type));
    commonEntity(*owner, p);
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

}  // namespace dxfreader
