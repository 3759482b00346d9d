#include "kvrender/ScenePicker.h"

#include <cmath>
#include <limits>

#include "kvrender/SceneTessellation.h"

namespace {

constexpr int kMaxDepth = 16;

double segmentDistance(RenderPoint p, RenderPoint a, RenderPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool insidePolygon(RenderPoint p, const RenderPoint* pts, int n)
{
    bool bInside = false;
    for (int i = 0, j = n - 1; i < n; j = i++)
        if ((pts[i].y > p.y) != (pts[j].y > p.y) &&
            p.x < (pts[j].x - pts[i].x) * (p.y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
            bInside = !bInside;
    return bInside;
}

// Whether the segment meets the box (Liang-Barsky without the clipped result).
bool segmentMeetsBox(RenderPoint a, RenderPoint b, const RenderBox& box)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

bool polygonMeetsBox(const std::vector<RenderPoint>& pts, const RenderBox& box)
{
    for (std::size_t i = 0; i < pts.size(); ++i)
        if (segmentMeetsBox(pts[i], pts[(i + 1) % pts.size()], box)) return true;
    return insidePolygon(box.center(), pts.data(), static_cast<int>(pts.size()));
}

// The outlines of what the primitives draw, in world coordinates, for one question at a time.
class Geometry {
public:
    Geometry(const DrawingScene& scene, double arcTolerance) : m_scene(scene), m_arcTolerance(arcTolerance) {}

    // Calls segment(a, b) for every drawn segment and area(polygon) for every filled or
    // text area, until one returns true.
    template <class Segment, class Area>
    bool visit(std::uint32_t first, std::uint32_t count, const RenderAffine& t, int depth, Segment& segment,
               Area& area) const
    {
        for (std::uint32_t i = first; i < first + count; ++i) {
            const ScenePrimitive& p = m_scene.primitives[i];
            switch (p.kind) {
            case ScenePrimitive::kPolyline:
            case ScenePrimitive::kWide: {
                const RenderPoint* pts = &m_scene.points[p.first];
                if (p.count == 1 && segment(t.apply(pts[0]), t.apply(pts[0]))) return true;
                for (std::uint32_t k = 1; k < p.count; ++k)
                    if (segment(t.apply(pts[k - 1]), t.apply(pts[k]))) return true;
                if (p.closed && p.count > 2 && segment(t.apply(pts[p.count - 1]), t.apply(pts[0]))) return true;
                break;
            }
            case ScenePrimitive::kArc: {
                const SceneArc& a = m_scene.arcs[p.first];
                const int n = std::max(ArcSegments(a, t.maxScale() / m_arcTolerance, 1.0), 4);
                for (int k = 1; k <= n; ++k)
                    if (segment(t.apply(ArcPoint(a, k - 1, n)), t.apply(ArcPoint(a, k, n)))) return true;
                break;
            }
            case ScenePrimitive::kDot: {
                const RenderPoint pt = t.apply(m_scene.points[p.first]);
                if (segment(pt, pt)) return true;
                break;
            }
            case ScenePrimitive::kFill: {
                std::vector<RenderPoint> pts;
                for (std::uint32_t k = 0; k < p.count; ++k) pts.push_back(t.apply(m_scene.points[p.first + k]));
                if (area(pts)) return true;
                break;
            }
            case ScenePrimitive::kText: {
                const SceneText& text = m_scene.texts[p.first];
                const RenderAffine place =
                    t.after(RenderAffine::placement(text.origin.x, text.origin.y, 1, 1, text.rotation));
                const std::vector<RenderPoint> pts = {
                    place.apply(0, -0.3 * text.height), place.apply(text.advance, -0.3 * text.height),
                    place.apply(text.advance, text.height), place.apply(0, text.height)};
                if (area(pts)) return true;
                break;
            }
            case ScenePrimitive::kInsert: {
                if (depth >= kMaxDepth) break;
                const SceneInsert& ins = m_scene.inserts[p.first];
                const SceneBlock& block = m_scene.blocks[ins.block];
                if (visit(block.firstPrimitive, block.primitiveCount, t.after(ins.placement), depth + 1, segment, area))
                    return true;
                break;
            }
            }
        }
        return false;
    }

private:
    const DrawingScene& m_scene;
    double m_arcTolerance;
};

}  // namespace

double ScenePicker::distanceTo(const SceneItem& item, RenderPoint point) const
{
    double best = std::numeric_limits<double>::infinity();
    auto segment = [&](RenderPoint a, RenderPoint b) {
        best = std::min(best, segmentDistance(point, a, b));
        return best == 0.0;
    };
    auto area = [&](const std::vector<RenderPoint>& pts) {
        if (insidePolygon(point, pts.data(), static_cast<int>(pts.size()))) best = 0.0;
        for (std::size_t i = 0; i < pts.size() && best > 0.0; ++i)
            best = std::min(best, segmentDistance(point, pts[i], pts[(i + 1) % pts.size()]));
        return best == 0.0;
    };
    // Arcs to within a hundredth of the item's size.
    Geometry(m_scene, std::max(item.box.width(), item.box.height()) / 100 + 1e-12)
        .visit(item.firstPrimitive, item.primitiveCount, RenderAffine(), 0, segment, area);
    return best;
}

bool ScenePicker::touches(const SceneItem& item, const RenderBox& box) const
{
    if (box.contains(item.box)) return true;
    if (!box.intersects(item.box)) return false;
    auto segment = [&](RenderPoint a, RenderPoint b) { return segmentMeetsBox(a, b, box); };
    auto area = [&](const std::vector<RenderPoint>& pts) { return polygonMeetsBox(pts, box); };
    return Geometry(m_scene, std::max(box.width(), box.height()) / 1000 + 1e-12)
        .visit(item.firstPrimitive, item.primitiveCount, RenderAffine(), 0, segment, area);
}

std::vector<RenderPoint> ScenePicker::samplePoints(const SceneItem& item) const
{
    std::vector<RenderPoint> points;
    auto segment = [&](RenderPoint a, RenderPoint b) {
        points.push_back({(a.x + b.x) / 2, (a.y + b.y) / 2});
        points.push_back(a);
        return false;
    };
    auto area = [&](const std::vector<RenderPoint>& pts) {
        RenderPoint c{0, 0};
        for (const RenderPoint& p : pts) c.x += p.x / pts.size(), c.y += p.y / pts.size();
        points.push_back(c);
        return false;
    };
    Geometry(m_scene, std::max(item.box.width(), item.box.height()) / 100 + 1e-12)
        .visit(item.firstPrimitive, item.primitiveCount, RenderAffine(), 0, segment, area);
    if (item.bPickInside) points.push_back(item.box.center());
    return points;
}

int ScenePicker::pickAt(RenderPoint point, double tolerance, const std::function<bool(const SceneItem&)>& accept) const
{
    std::vector<std::uint32_t> candidates;
    m_scene.query(RenderBox::of(point.x, point.y, point.x, point.y).grown(tolerance), candidates);
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::uint32_t i : candidates) {
        const SceneItem& item = m_scene.items()[i];
        if (accept && !accept(item)) continue;
        double d = distanceTo(item, point);
        // Inside a table counts as on it, after anything drawn within the tolerance.
        if (d > tolerance && item.bPickInside && item.box.contains(point.x, point.y)) d = tolerance;
        if (d <= tolerance && d <= bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

std::vector<std::uint32_t> ScenePicker::window(const RenderBox& box) const
{
    std::vector<std::uint32_t> candidates, out;
    m_scene.query(box, candidates);
    for (std::uint32_t i : candidates)
        if (box.contains(m_scene.items()[i].box)) out.push_back(i);
    return out;
}

std::vector<std::uint32_t> ScenePicker::crossing(const RenderBox& box) const
{
    std::vector<std::uint32_t> candidates, out;
    m_scene.query(box, candidates);
    for (std::uint32_t i : candidates)
        if (touches(m_scene.items()[i], box)) out.push_back(i);
    return out;
}
