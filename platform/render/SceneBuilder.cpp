#include "SceneBuilder.h"

#include <cmath>
#include <unordered_set>

#include "kv/KvDbArc.h"
#include "kv/KvDbAttribute.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbCircle.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbLine.h"
#include "kv/KvDbMText.h"
#include "kv/KvDbPoint.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbSolid.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbTableStyle.h"
#include "kv/KvDbText.h"
#include "kv/KvGiTextStyle.h"
#include "kv/KvTableLayout.h"
#include "kvrender/RenderColor.h"
#include "kvrender/SceneTextLayout.h"

namespace {

constexpr int kMaxBlockDepth = 16;
constexpr double kTwoPi = 2.0 * M_PI;

// The plane part of an object coordinate system: maps (x, y) of a planar entity with this
// normal to world x, y (the arbitrary-axis rule of drawing files).
RenderAffine ocsOf(const KvGeVector3d& normal, double elevation = 0.0)
{
    double nx = normal.x, ny = normal.y, nz = normal.z;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len == 0.0) return {};
    nx /= len, ny /= len, nz /= len;
    if (std::fabs(nx) < 1e-12 && std::fabs(ny) < 1e-12 && nz > 0) return RenderAffine::translation(0, 0);
    double ax, ay, az;
    if (std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64) {  // world Y x N
        ax = nz, ay = 0, az = -nx;
    } else {  // world Z x N
        ax = -ny, ay = nx, az = 0;
    }
    const double alen = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= alen, ay /= alen, az /= alen;
    const double bx = ny * az - nz * ay, by = nz * ax - nx * az;  // N x Ax
    return {ax, ay, bx, by, nx * elevation, ny * elevation};
}

ScenePrimitive primitive(ScenePrimitive::Kind kind, bool bClosed, SceneColor color)
{
    ScenePrimitive p;
    p.kind = kind;
    p.closed = bClosed;
    p.color = color;
    return p;
}

bool isSimilarity(const RenderAffine& m)
{
    return std::fabs(m.a * m.a + m.b * m.b - 1) < 1e-9 && std::fabs(m.c * m.c + m.d * m.d - 1) < 1e-9 &&
           std::fabs(m.a * m.c + m.b * m.d) < 1e-9;
}

RenderPoint xy(const KvGePoint3d& p)
{
    return {p.x, p.y};
}

double textAdvance(const std::u16string& text, double height, KvDbObjectId style)
{
    KvGiTextStyle measure;
    fromKvDbTextStyle(measure, style);
    measure.setTextSize(height);
    return measure.extents(text.c_str(), false, -1, false).x;
}

}  // namespace

SceneBuilder::SceneBuilder(const KvDbDatabase& db, DrawingScene& scene) : m_db(db), m_scene(scene) {}

const SceneBuilder::Layer& SceneBuilder::layerOf(const KvDbEntity& entity)
{
    const std::u16string* key = &entity.layer();
    auto it = m_layers.find(key);
    if (it != m_layers.end()) return it->second;
    Layer layer;
    const auto* pTable = kvCast<KvDbSymbolTable>(m_db.objectAt(m_db.layerTableId()));
    KvDbObjectId id;
    if (pTable && pTable->getAt(*key, id) == Kvmo::eOk)
        if (const auto* pRecord = kvCast<KvDbLayerTableRecord>(m_db.objectAt(id))) {
            // A negative colour number marks a layer that is off.
            layer.bVisible = pRecord->colorIndex >= 0 && !pRecord->bFrozen;
            layer.rgb = pRecord->trueColor >= 0 ? static_cast<std::uint32_t>(pRecord->trueColor)
                                                : RenderAciColor(std::abs(pRecord->colorIndex));
        }
    return m_layers.emplace(key, layer).first->second;
}

SceneColor SceneBuilder::layerColorOf(const KvDbEntity& entity, bool bInBlock)
{
    if (bInBlock && entity.layer() == u"0") return {SceneColor::kLayer0, 0};
    return {SceneColor::kFixed, layerOf(entity).rgb};
}

SceneColor SceneBuilder::colorOf(const KvDbEntity& entity, bool bInBlock)
{
    if (entity.trueColor() >= 0) return {SceneColor::kFixed, static_cast<std::uint32_t>(entity.trueColor())};
    const std::uint16_t index = entity.colorIndex();
    if (index == 0) return bInBlock ? SceneColor{SceneColor::kByBlock, 0} : SceneColor{SceneColor::kFixed, 0xFFFFFF};
    if (index == 256) return layerColorOf(entity, bInBlock);
    return {SceneColor::kFixed, RenderAciColor(index)};
}

void SceneBuilder::build()
{
    const auto* pModel = kvCast<KvDbBlockTableRecord>(m_db.objectAt(m_db.modelSpaceId()));
    if (pModel == nullptr) return;
    std::vector<RenderBox> boxes;
    std::vector<ScenePrimitive> run;
    for (const KvDbObjectId& id : pModel->entityIds()) {
        const auto* pEntity = kvCast<KvDbEntity>(m_db.objectAt(id));
        if (pEntity == nullptr || pEntity->isErased()) continue;
        run.clear();
        m_out = &run;
        if (!addEntity(*pEntity, false, 0) || run.empty()) continue;
        SceneItem item;
        item.id = id;
        item.kind = pEntity->dxfName();
        item.firstPrimitive = static_cast<std::uint32_t>(m_scene.primitives.size());
        item.primitiveCount = static_cast<std::uint32_t>(run.size());
        for (const ScenePrimitive& p : run) item.box.add(p.box);
        item.bPickInside = kvCast<KvDbTable>(pEntity) != nullptr;
        m_scene.primitives.insert(m_scene.primitives.end(), run.begin(), run.end());
        m_scene.m_extents.add(item.box);
        boxes.push_back(item.box);
        m_scene.m_items.push_back(std::move(item));
    }
    m_out = nullptr;
    m_scene.m_grid.build(boxes);
}

bool SceneBuilder::addEntity(const KvDbEntity& entity, bool bInBlock, int depth)
{
    if (!entity.visible()) return false;
    if (!(bInBlock && entity.layer() == u"0") && !layerOf(entity).bVisible) return false;
    const SceneColor color = colorOf(entity, bInBlock);
    if (const auto* p = kvCast<KvDbLine>(&entity)) {
        addLine(xy(p->startPoint()), xy(p->endPoint()), color);
    } else if (const auto* p = kvCast<KvDbPolyline>(&entity)) {
        addPolyline(*p, color);
    } else if (const auto* p = kvCast<KvDbArc>(&entity)) {
        double sweep = p->endAngle() - p->startAngle();
        while (sweep <= 0) sweep += kTwoPi;
        addArc(ocsOf(p->normal()), xy(p->center()), p->radius(), p->startAngle(), sweep, color);
    } else if (const auto* p = kvCast<KvDbCircle>(&entity)) {
        addArc(ocsOf(p->normal()), xy(p->center()), p->radius(), 0.0, kTwoPi, color);
    } else if (const auto* p = kvCast<KvDbSolid>(&entity)) {
        const RenderAffine ocs = ocsOf(p->normal());
        KvGePoint3d c[4];
        for (unsigned int i = 0; i < 4; ++i) p->getPointAt(i, c[i]);
        ScenePrimitive prim = primitive(ScenePrimitive::kFill, true, color);
        prim.first = static_cast<std::uint32_t>(m_scene.points.size());
        // The third and fourth corners are stored crosswise.
        const int order[4] = {0, 1, 3, 2};
        const bool bTriangle = c[2].x == c[3].x && c[2].y == c[3].y;
        for (int k = 0; k < (bTriangle ? 3 : 4); ++k) {
            const RenderPoint pt = ocs.apply(xy(c[order[k]]));
            m_scene.points.push_back(pt);
            prim.box.add(pt);
        }
        prim.count = bTriangle ? 3 : 4;
        m_out->push_back(prim);
    } else if (const auto* p = kvCast<KvDbPoint>(&entity)) {
        ScenePrimitive prim = primitive(ScenePrimitive::kDot, false, color);
        prim.first = static_cast<std::uint32_t>(m_scene.points.size());
        prim.count = 1;
        m_scene.points.push_back(xy(p->position()));
        prim.box.add(m_scene.points.back());
        m_out->push_back(prim);
    } else if (const auto* p = kvCast<KvDbMText>(&entity)) {
        addMText(*p, color);
    } else if (const auto* p = kvCast<KvDbText>(&entity)) {
        // Attributes are drawn with their block reference; attribute definitions are not kept as texts.
        if (kvCast<KvDbAttribute>(p)) return false;
        addSingleLineText(*p, color);
    } else if (const auto* p = kvCast<KvDbTable>(&entity)) {
        addTable(*p, color, depth);
    } else if (const auto* p = kvCast<KvDbBlockReference>(&entity)) {
        addInsert(*p, bInBlock, depth);
    } else {
        return false;  // kinds the view does not draw
    }
    return true;
}

void SceneBuilder::addLine(RenderPoint a, RenderPoint b, SceneColor color)
{
    addPolylineRun({a, b}, false, color);
}

void SceneBuilder::addPolylineRun(const std::vector<RenderPoint>& pts, bool bClosed, SceneColor color)
{
    if (pts.empty()) return;
    ScenePrimitive prim = primitive(ScenePrimitive::kPolyline, bClosed, color);
    prim.first = static_cast<std::uint32_t>(m_scene.points.size());
    prim.count = static_cast<std::uint32_t>(pts.size());
    for (const RenderPoint& p : pts) {
        m_scene.points.push_back(p);
        prim.box.add(p);
    }
    m_out->push_back(prim);
}

void SceneBuilder::addArc(const RenderAffine& ocs, RenderPoint center, double radius, double start, double sweep,
                          SceneColor color)
{
    if (!(radius > 0.0)) return;
    if (!isSimilarity(ocs)) {
        // A tilted plane: the arc shows as part of an ellipse, drawn as a polyline.
        const int n = std::max(8, static_cast<int>(std::ceil(sweep / kTwoPi * 128)));
        std::vector<RenderPoint> pts;
        for (int i = 0; i <= n; ++i) {
            const double t = start + sweep * i / n;
            pts.push_back(ocs.apply(center.x + radius * std::cos(t), center.y + radius * std::sin(t)));
        }
        addPolylineRun(pts, false, color);
        return;
    }
    // Rotated or mirrored plane: map the centre and the angles.
    const RenderPoint c = ocs.apply(center);
    const double axis = std::atan2(ocs.b, ocs.a);
    const bool bMirrored = ocs.a * ocs.d - ocs.b * ocs.c < 0;
    double from = bMirrored ? axis - (start + sweep) : axis + start;
    from = std::fmod(from, kTwoPi);
    if (from < 0) from += kTwoPi;
    ScenePrimitive prim = primitive(ScenePrimitive::kArc, false, color);
    prim.first = static_cast<std::uint32_t>(m_scene.arcs.size());
    m_scene.arcs.push_back({c, radius, from, sweep});
    // The box: the end points and the quadrant points the arc passes.
    prim.box.add(c.x + radius * std::cos(from), c.y + radius * std::sin(from));
    prim.box.add(c.x + radius * std::cos(from + sweep), c.y + radius * std::sin(from + sweep));
    for (int q = 0; q < 8; ++q) {
        const double a = q * M_PI / 2;
        double rel = std::fmod(a - from, kTwoPi);
        if (rel < 0) rel += kTwoPi;
        if (rel <= sweep) prim.box.add(c.x + radius * std::cos(a), c.y + radius * std::sin(a));
    }
    m_out->push_back(prim);
}

void SceneBuilder::addPolyline(const KvDbPolyline& pl, SceneColor color)
{
    const auto& v = pl.vertices();
    if (v.empty()) return;
    const RenderAffine ocs = ocsOf(pl.normal(), pl.elevation());
    const std::size_t n = v.size();
    const std::size_t segments = pl.isClosed() ? n : n - 1;
    bool bWide = false;
    for (const auto& vertex : v) bWide = bWide || vertex.startWidth > 0 || vertex.endWidth > 0;
    if (n == 1) {
        addPolylineRun({ocs.apply(v[0].point.x, v[0].point.y)}, false, color);
        return;
    }
    // Straight runs stay polylines, bulges become arcs; wide polylines become one strip
    // with the bulges flattened.
    std::vector<RenderPoint> run;
    std::vector<double> halfWidths;
    auto flush = [&] {
        if (run.size() >= 2) addPolylineRun(run, false, color);
        run.clear();
    };
    for (std::size_t i = 0; i < segments; ++i) {
        const auto& a = v[i];
        const auto& b = v[(i + 1) % n];
        const RenderPoint pa{a.point.x, a.point.y}, pb{b.point.x, b.point.y};
        if (a.bulge == 0.0 || (pa.x == pb.x && pa.y == pb.y)) {
            if (bWide) {
                if (run.empty()) run.push_back(ocs.apply(pa)), halfWidths.push_back(a.startWidth / 2);
                run.push_back(ocs.apply(pb)), halfWidths.push_back(a.endWidth / 2);
                continue;
            }
            if (run.empty()) run.push_back(ocs.apply(pa));
            run.push_back(ocs.apply(pb));
            continue;
        }
        // Bulge: tan(quarter of the included angle), positive counter-clockwise.
        const double theta = 4.0 * std::atan(a.bulge);
        const double chord = std::hypot(pb.x - pa.x, pb.y - pa.y);
        const double radius = chord / (2.0 * std::sin(std::fabs(theta) / 2.0));
        const double mx = (pa.x + pb.x) / 2, my = (pa.y + pb.y) / 2;
        const double toCenter = radius * std::cos(std::fabs(theta) / 2.0);
        const double ux = -(pb.y - pa.y) / chord, uy = (pb.x - pa.x) / chord;  // left normal of the chord
        const double side = theta > 0 ? 1.0 : -1.0;
        const RenderPoint c{mx + side * ux * toCenter, my + side * uy * toCenter};
        const double startAngle = std::atan2(pa.y - c.y, pa.x - c.x);
        if (bWide) {
            const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(theta) / kTwoPi * 64)));
            if (run.empty()) run.push_back(ocs.apply(pa)), halfWidths.push_back(a.startWidth / 2);
            for (int k = 1; k <= steps; ++k) {
                const double t = startAngle + theta * k / steps;
                run.push_back(ocs.apply(c.x + radius * std::cos(t), c.y + radius * std::sin(t)));
                halfWidths.push_back((a.startWidth + (a.endWidth - a.startWidth) * k / steps) / 2);
            }
            continue;
        }
        flush();
        if (theta > 0)
            addArc(ocs, c, radius, startAngle, theta, color);
        else
            addArc(ocs, c, radius, std::atan2(pb.y - c.y, pb.x - c.x), -theta, color);
    }
    if (!bWide) {
        if (run.size() == segments + 1 && pl.isClosed()) {
            run.pop_back();  // closing point repeated
            addPolylineRun(run, true, color);
            return;
        }
        flush();
        return;
    }
    ScenePrimitive prim = primitive(ScenePrimitive::kWide, false, color);
    prim.first = static_cast<std::uint32_t>(m_scene.points.size());
    prim.count = static_cast<std::uint32_t>(run.size());
    m_scene.halfWidths.resize(m_scene.points.size(), 0.0);
    for (std::size_t k = 0; k < run.size(); ++k) {
        m_scene.points.push_back(run[k]);
        m_scene.halfWidths.push_back(halfWidths[k]);
        prim.box.add(run[k].x - halfWidths[k], run[k].y - halfWidths[k]);
        prim.box.add(run[k].x + halfWidths[k], run[k].y + halfWidths[k]);
    }
    m_out->push_back(prim);
}

void SceneBuilder::addText(const std::u16string& text, RenderPoint origin, double height, double rotation,
                           double advance, SceneColor color)
{
    if (text.empty() || !(height > 0.0)) return;
    ScenePrimitive prim = primitive(ScenePrimitive::kText, false, color);
    prim.first = static_cast<std::uint32_t>(m_scene.texts.size());
    m_scene.texts.push_back({text, origin, height, rotation, advance});
    // The box of the rotated line, descenders included.
    const RenderAffine place = RenderAffine::placement(origin.x, origin.y, 1, 1, rotation);
    prim.box = place.apply(RenderBox::of(0, -0.3 * height, advance, height));
    m_out->push_back(prim);
}

void SceneBuilder::addSingleLineText(const KvDbText& text, SceneColor color)
{
    const double advance = textAdvance(text.textString(), text.height(), text.textStyle());
    addText(text.textString(), xy(text.position()), text.height(), text.rotation(), advance, color);
}

void SceneBuilder::addTextBlock(const std::u16string& text, RenderPoint at, double height, double wrapWidth,
                                double rotation, double lineSpacing, int attachment, KvDbObjectId style,
                                SceneColor color)
{
    KvGiTextStyle measure;
    fromKvDbTextStyle(measure, style);
    measure.setTextSize(height);
    const std::vector<SceneTextLine> lines = LayoutTextLines(text, measure, wrapWidth);
    const double total = height + lineSpacing * static_cast<double>(lines.size() - 1);
    // Attachment 1..9: top, middle, bottom rows of left, centre, right; each line is aligned
    // on the attachment point.
    const int row = (attachment - 1) / 3, col = (attachment - 1) % 3;
    const double top = row == 0 ? 0.0 : row == 1 ? total / 2 : total;
    const RenderAffine place = RenderAffine::placement(at.x, at.y, 1, 1, rotation);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double x = col == 0 ? 0.0 : col == 1 ? -lines[i].advance / 2 : -lines[i].advance;
        const double y = top - height - lineSpacing * static_cast<double>(i);
        addText(lines[i].text, place.apply(x, y), height, rotation, lines[i].advance, color);
    }
}

void SceneBuilder::addMText(const KvDbMText& mtext, SceneColor color)
{
    int attachment = mtext.attachment();
    if (attachment > 9) attachment = 1;
    addTextBlock(mtext.text(), xy(mtext.location()), mtext.textHeight(), mtext.width(), mtext.rotation(),
                 mtext.lineSpacingDistance(), attachment, mtext.textStyle(), color);
}

int SceneBuilder::blockIndex(KvDbObjectId blockId, int depth)
{
    if (blockId.isNull() || depth > kMaxBlockDepth) return -1;
    const auto found = m_blocks.find(blockId.serial());
    if (found != m_blocks.end()) return found->second;  // -1 while it is being built: a block inside itself
    const auto* pRecord = kvCast<KvDbBlockTableRecord>(m_db.objectAt(blockId));
    if (pRecord == nullptr || pRecord->isLayout()) return -1;
    m_blocks[blockId.serial()] = -1;
    std::vector<ScenePrimitive> run;
    std::vector<ScenePrimitive>* pOuter = m_out;
    m_out = &run;
    for (const KvDbObjectId& id : pRecord->entityIds()) {
        const auto* pEntity = kvCast<KvDbEntity>(m_db.objectAt(id));
        if (pEntity && !pEntity->isErased()) addEntity(*pEntity, true, depth);
    }
    m_out = pOuter;
    SceneBlock block;
    block.firstPrimitive = static_cast<std::uint32_t>(m_scene.primitives.size());
    block.primitiveCount = static_cast<std::uint32_t>(run.size());
    for (const ScenePrimitive& p : run) block.box.add(p.box);
    m_scene.primitives.insert(m_scene.primitives.end(), run.begin(), run.end());
    const int index = static_cast<int>(m_scene.blocks.size());
    m_scene.blocks.push_back(block);
    m_blocks[blockId.serial()] = index;
    return index;
}

void SceneBuilder::addInsert(const KvDbBlockReference& ref, bool bInBlock, int depth)
{
    const SceneColor color = colorOf(ref, bInBlock);
    const int block = blockIndex(ref.blockTableRecord(), depth + 1);
    if (block >= 0 && !m_scene.blocks[static_cast<std::size_t>(block)].box.isEmpty()) {
        const auto* pRecord = kvCast<KvDbBlockTableRecord>(m_db.objectAt(ref.blockTableRecord()));
        const KvGePoint3d origin = pRecord ? pRecord->origin() : KvGePoint3d();
        const KvGePoint3d at = ref.position();
        const KvGeScale3d scale = ref.scaleFactors();
        const RenderAffine placement =
            ocsOf(ref.normal())
                .after(RenderAffine::placement(at.x, at.y, scale.sx, scale.sy, ref.rotation()))
                .after(RenderAffine::translation(-origin.x, -origin.y));
        ScenePrimitive prim = primitive(ScenePrimitive::kInsert, false, color);
        prim.first = static_cast<std::uint32_t>(m_scene.inserts.size());
        m_scene.inserts.push_back({static_cast<std::uint32_t>(block), placement, color, layerColorOf(ref, bInBlock)});
        prim.box = placement.apply(m_scene.blocks[static_cast<std::size_t>(block)].box);
        m_out->push_back(prim);
    }
    if (bInBlock) return;  // attributes of references nested in blocks are not drawn
    for (const KvDbObjectId& id : ref.attributeIds()) {
        const auto* pAttribute = kvCast<KvDbAttribute>(m_db.objectAt(id));
        if (pAttribute == nullptr || pAttribute->isErased() || pAttribute->isInvisible() || !pAttribute->visible())
            continue;
        // ByBlock and ByLayer on layer 0 follow the reference, as inside its block.
        SceneColor own = colorOf(*pAttribute, true);
        if (own.kind == SceneColor::kByBlock) own = color;
        if (own.kind == SceneColor::kLayer0) own = layerColorOf(ref, false);
        addSingleLineText(*pAttribute, own);
    }
}

void SceneBuilder::addTable(const KvDbTable& table, SceneColor color, int depth)
{
    const KvTableLayout layout = kvLayoutTable(m_db, table);
    const KvGePoint3d at = table.position();
    const RenderAffine place = RenderAffine::translation(at.x, at.y);
    for (const KvTableLayout::Line& line : layout.lines)
        addLine(place.apply(line.a.x, line.a.y), place.apply(line.b.x, line.b.y), color);
    for (const KvTableLayout::Text& text : layout.texts)
        addTextBlock(text.text, place.apply(text.at.x, text.at.y), text.height, text.width, 0.0,
                     text.height * 5.0 / 3.0, 1, text.style, color);
    for (const KvTableLayout::Block& cell : layout.blocks) {
        const int block = blockIndex(cell.block, depth + 1);
        if (block < 0) continue;
        const RenderBox box = m_scene.blocks[static_cast<std::size_t>(block)].box;
        if (box.isEmpty()) continue;
        const RenderPoint center = place.apply(cell.at.x, cell.at.y);
        double scale = 1.0;
        RenderPoint anchor{0, 0};  // the block point put on the cell's centre
        if (cell.bAutoFit && box.width() > 0 && box.height() > 0) {
            scale = std::min((cell.cellWidth - 2 * cell.margin) / box.width(),
                             (cell.cellHeight - 2 * cell.margin) / box.height());
            if (!(scale > 0)) scale = std::min(cell.cellWidth / box.width(), cell.cellHeight / box.height());
            anchor = box.center();
        }
        const RenderAffine placement = RenderAffine::placement(center.x, center.y, scale, scale, 0.0)
                                           .after(RenderAffine::translation(-anchor.x, -anchor.y));
        ScenePrimitive prim = primitive(ScenePrimitive::kInsert, false, color);
        prim.first = static_cast<std::uint32_t>(m_scene.inserts.size());
        m_scene.inserts.push_back({static_cast<std::uint32_t>(block), placement, color, color});
        prim.box = placement.apply(box);
        m_out->push_back(prim);
    }
}
