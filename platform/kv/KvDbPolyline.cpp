#include "kv/KvDbPolyline.h"

#include <algorithm>
#include <cmath>

#include "KvCurveMath.h"
#include "KvInternal.h"

using kvinternal::kOnCurveTolerance;

namespace {

// One segment in the polyline's own plane: straight, or an arc given by its bulge
// (the tangent of a quarter of the swept angle; positive sweeps counter-clockwise).
struct Segment {
    KvGePoint2d from, to;
    double bulge = 0.0;

    double chord() const { return std::hypot(to.x - from.x, to.y - from.y); }
    bool isArc() const { return bulge != 0.0 && chord() > 0.0; }
    double sweep() const { return 4.0 * std::atan(std::fabs(bulge)); }
    double radius() const { return chord() / (2.0 * std::sin(sweep() / 2.0)); }
    double length() const { return isArc() ? radius() * sweep() : chord(); }
    KvGePoint2d center() const
    {
        const double c = chord();
        const double mx = (from.x + to.x) / 2.0, my = (from.y + to.y) / 2.0;
        const double lx = -(to.y - from.y) / c, ly = (to.x - from.x) / c;  // left of the chord
        const double offset = (bulge > 0.0 ? 1.0 : -1.0) * radius() * std::cos(sweep() / 2.0);
        return {mx + lx * offset, my + ly * offset};
    }
    // Area between the arc and its chord, signed: positive when the arc lies right of the chord.
    double signedBulgeArea() const
    {
        if (!isArc()) return 0.0;
        const double r = radius(), t = sweep();
        return (bulge > 0.0 ? 1.0 : -1.0) * 0.5 * r * r * (t - std::sin(t));
    }
    // Distance from `from` to a point on the segment, or a negative value when it is not on it.
    double distanceTo(const KvGePoint2d& p, double tolerance) const
    {
        if (!isArc()) {
            const double c = chord();
            if (c == 0.0) return std::hypot(p.x - from.x, p.y - from.y) <= tolerance ? 0.0 : -1.0;
            const double ux = (to.x - from.x) / c, uy = (to.y - from.y) / c;
            const double t = (p.x - from.x) * ux + (p.y - from.y) * uy;
            const double off = std::fabs(-(p.x - from.x) * uy + (p.y - from.y) * ux);
            if (off > tolerance || t < -tolerance || t > c + tolerance) return -1.0;
            return std::clamp(t, 0.0, c);
        }
        const KvGePoint2d m = center();
        const double r = radius();
        if (std::fabs(std::hypot(p.x - m.x, p.y - m.y) - r) > tolerance) return -1.0;
        const double a0 = std::atan2(from.y - m.y, from.x - m.x);
        const double a = std::atan2(p.y - m.y, p.x - m.x);
        const double fromStart = kvinternal::angleFromArcStart(bulge > 0.0 ? a - a0 : a0 - a, sweep(), r, tolerance);
        if (fromStart * r > sweep() * r + tolerance) return -1.0;
        return std::min(fromStart, sweep()) * r;
    }
};

}  // namespace

Kvmo::ErrorStatus KvDbPolyline::addVertexAt(unsigned int index, const KvGePoint2d& pt, double bulge, double startWidth,
                                            double endWidth)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (index > m_vertices.size()) return Kvmo::eInvalidIndex;
    // A negative width means "not given".
    m_vertices.insert(m_vertices.begin() + index,
                      Vertex{pt, bulge, std::max(startWidth, 0.0), std::max(endWidth, 0.0)});
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbPolyline::getPointAt(unsigned int index, KvGePoint3d& pt) const
{
    if (index >= m_vertices.size()) return Kvmo::eInvalidIndex;
    KvGeVector3d xAxis, yAxis;
    kvinternal::ocsAxes(planarNormal(), xAxis, yAxis);
    const KvGePoint2d& p = m_vertices[index].point;
    pt = KvGePoint3d::kOrigin + xAxis * p.x + yAxis * p.y + planarNormal().normal() * m_elevation;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbPolyline::setClosed(bool closed)
{
    return assignIfWritable(m_closed, closed);
}

Kvmo::ErrorStatus KvDbPolyline::getConstantWidth(double& width) const
{
    width = 0.0;
    if (m_vertices.empty()) return Kvmo::eOk;
    const double w = m_vertices.front().startWidth;
    for (const Vertex& v : m_vertices)
        if (v.startWidth != w || v.endWidth != w) return Kvmo::eInvalidInput;
    width = w;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbPolyline::setConstantWidth(double width)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (width < 0.0) return Kvmo::eOutOfRange;
    for (Vertex& v : m_vertices) v.startWidth = v.endWidth = width;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbPolyline::setPlinegen(bool on)
{
    return assignIfWritable(m_plinegen, on);
}
Kvmo::ErrorStatus KvDbPolyline::setElevation(double e)
{
    return assignIfWritable(m_elevation, e);
}
Kvmo::ErrorStatus KvDbPolyline::setThickness(double t)
{
    return setPlanarThickness(t);
}
Kvmo::ErrorStatus KvDbPolyline::setNormal(const KvGeVector3d& n)
{
    return setPlanarNormal(n);
}

namespace {

// The segments between consecutive vertices (and back to the first when closed), made as
// they are visited: a drawing's polylines are read hundreds of thousands at a time.
class Segments {
public:
    Segments(const std::vector<KvDbPolyline::Vertex>& vertices, bool closed)
        : m_vertices(vertices),
          m_count(vertices.size() < 2 ? 0
                  : closed            ? vertices.size()
                                      : vertices.size() - 1)
    {
    }
    std::size_t size() const { return m_count; }
    Segment operator[](std::size_t i) const
    {
        return {m_vertices[i].point, m_vertices[(i + 1) % m_vertices.size()].point, m_vertices[i].bulge};
    }

    class iterator {
    public:
        iterator(const Segments& segments, std::size_t i) : m_segments(segments), m_i(i) {}
        Segment operator*() const { return m_segments[m_i]; }
        iterator& operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator!=(const iterator& other) const { return m_i != other.m_i; }

    private:
        const Segments& m_segments;
        std::size_t m_i;
    };
    iterator begin() const { return {*this, 0}; }
    iterator end() const { return {*this, m_count}; }

private:
    const std::vector<KvDbPolyline::Vertex>& m_vertices;
    std::size_t m_count;
};

Segments segmentsOf(const std::vector<KvDbPolyline::Vertex>& vertices, bool closed)
{
    return Segments(vertices, closed);
}

}  // namespace

// The parameter runs through the vertices: vertex i at parameter i.
Kvmo::ErrorStatus KvDbPolyline::getStartParam(double& param) const
{
    param = 0.0;
    return m_vertices.empty() ? Kvmo::eInvalidInput : Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbPolyline::getEndParam(double& param) const
{
    param = static_cast<double>(segmentsOf(m_vertices, m_closed).size());
    return m_vertices.empty() ? Kvmo::eInvalidInput : Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbPolyline::getStartPoint(KvGePoint3d& point) const
{
    return getPointAt(0, point);
}

Kvmo::ErrorStatus KvDbPolyline::getEndPoint(KvGePoint3d& point) const
{
    if (m_vertices.empty()) return Kvmo::eInvalidInput;
    return getPointAt(m_closed ? 0 : numVerts() - 1, point);
}

Kvmo::ErrorStatus KvDbPolyline::getDistAtParam(double param, double& dist) const
{
    const Segments segments = segmentsOf(m_vertices, m_closed);
    const double end = static_cast<double>(segments.size());
    if (m_vertices.empty() || param < -kOnCurveTolerance || param > end + kOnCurveTolerance) return Kvmo::eInvalidInput;
    param = std::clamp(param, 0.0, end);
    dist = 0.0;
    for (std::size_t i = 0; i < segments.size() && static_cast<double>(i) < param; ++i) {
        const double part = std::min(1.0, param - static_cast<double>(i));
        dist += part * segments[i].length();  // along an arc the parameter is proportional to the angle
    }
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbPolyline::getDistAtPoint(const KvGePoint3d& point, double& dist) const
{
    if (m_vertices.empty()) return Kvmo::eInvalidInput;
    KvGeVector3d xAxis, yAxis;
    kvinternal::ocsAxes(planarNormal(), xAxis, yAxis);
    const KvGeVector3d v = point - KvGePoint3d::kOrigin;
    double total = 0.0;
    for (const Segment& s : segmentsOf(m_vertices, m_closed)) total += s.length();
    const double tolerance = kvinternal::onCurveTolerance(total);
    if (std::fabs(v.dotProduct(planarNormal().normal()) - m_elevation) > tolerance) return Kvmo::eInvalidInput;
    const KvGePoint2d p(v.dotProduct(xAxis), v.dotProduct(yAxis));
    if (m_vertices.size() == 1)
        return std::hypot(p.x - m_vertices[0].point.x, p.y - m_vertices[0].point.y) <= tolerance
                   ? (dist = 0.0, Kvmo::eOk)
                   : Kvmo::eInvalidInput;
    double before = 0.0;
    for (const Segment& s : segmentsOf(m_vertices, m_closed)) {
        const double along = s.distanceTo(p, tolerance);
        if (along >= 0.0) {
            dist = before + along;
            return Kvmo::eOk;
        }
        before += s.length();
    }
    return Kvmo::eInvalidInput;
}

// Shoelace over the vertices (closed by the straight segment from end to start for an
// open polyline), plus or minus the area between each arc segment and its chord.
Kvmo::ErrorStatus KvDbPolyline::getArea(double& area) const
{
    area = 0.0;
    const std::size_t n = m_vertices.size();
    if (n < 2) return Kvmo::eOk;
    double twice = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const KvGePoint2d& a = m_vertices[i].point;
        const KvGePoint2d& b = m_vertices[(i + 1) % n].point;
        twice += a.x * b.y - b.x * a.y;
    }
    double signedArea = twice / 2.0;
    for (const Segment& s : segmentsOf(m_vertices, m_closed)) signedArea += s.signedBulgeArea();
    area = std::fabs(signedArea);
    return Kvmo::eOk;
}
