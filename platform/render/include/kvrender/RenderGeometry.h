#pragma once
// Plane geometry of the renderer: points, boxes and affine maps in drawing units.
#include <algorithm>
#include <cmath>
#include <limits>

struct RenderPoint {
    double x = 0.0, y = 0.0;
};

// Axis-aligned box; a new box is empty and grows with what is added.
struct RenderBox {
    double minX = std::numeric_limits<double>::infinity(), minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity(), maxY = -std::numeric_limits<double>::infinity();

    static RenderBox of(double x0, double y0, double x1, double y1)
    {
        RenderBox b;
        b.add(x0, y0);
        b.add(x1, y1);
        return b;
    }
    bool isEmpty() const { return !(minX <= maxX && minY <= maxY); }
    double width() const { return isEmpty() ? 0.0 : maxX - minX; }
    double height() const { return isEmpty() ? 0.0 : maxY - minY; }
    RenderPoint center() const { return {(minX + maxX) / 2, (minY + maxY) / 2}; }
    void add(double x, double y)
    {
        minX = std::min(minX, x), minY = std::min(minY, y);
        maxX = std::max(maxX, x), maxY = std::max(maxY, y);
    }
    void add(const RenderPoint& p) { add(p.x, p.y); }
    void add(const RenderBox& b)
    {
        if (b.isEmpty()) return;
        add(b.minX, b.minY);
        add(b.maxX, b.maxY);
    }
    RenderBox grown(double d) const { return isEmpty() ? *this : of(minX - d, minY - d, maxX + d, maxY + d); }
    bool intersects(const RenderBox& b) const
    {
        return !isEmpty() && !b.isEmpty() && minX <= b.maxX && b.minX <= maxX && minY <= b.maxY && b.minY <= maxY;
    }
    bool contains(const RenderBox& b) const
    {
        return !b.isEmpty() && minX <= b.minX && b.maxX <= maxX && minY <= b.minY && b.maxY <= maxY;
    }
    bool contains(double x, double y) const { return minX <= x && x <= maxX && minY <= y && y <= maxY; }
};

// x' = a x + c y + e, y' = b x + d y + f.
struct RenderAffine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    RenderPoint apply(const RenderPoint& p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    RenderPoint apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
    // This map after `first`: apply(first.apply(p)).
    RenderAffine after(const RenderAffine& first) const
    {
        return {a * first.a + c * first.b, b * first.a + d * first.b,     a * first.c + c * first.d,
                b * first.c + d * first.d, a * first.e + c * first.f + e, b * first.e + d * first.f + f};
    }
    // The largest factor by which the map stretches a length.
    double maxScale() const { return std::max(std::hypot(a, b), std::hypot(c, d)); }
    RenderBox apply(const RenderBox& box) const
    {
        RenderBox out;
        if (box.isEmpty()) return out;
        if (b == 0.0 && c == 0.0) {  // no rotation: two corners do
            out.add(a * box.minX + e, d * box.minY + f);
            out.add(a * box.maxX + e, d * box.maxY + f);
            return out;
        }
        out.add(apply(box.minX, box.minY));
        out.add(apply(box.maxX, box.minY));
        out.add(apply(box.minX, box.maxY));
        out.add(apply(box.maxX, box.maxY));
        return out;
    }
    static RenderAffine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    // Scales, then rotates (radians), then moves to (x, y): a block reference's placement.
    static RenderAffine placement(double x, double y, double sx, double sy, double rotation)
    {
        const double cs = std::cos(rotation), sn = std::sin(rotation);
        return {cs * sx, sn * sx, -sn * sy, cs * sy, x, y};
    }
};
