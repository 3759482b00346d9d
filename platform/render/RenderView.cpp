#include "kvrender/RenderView.h"

#include <algorithm>

namespace {
constexpr double kMinScale = 1e-9, kMaxScale = 1e9;
}

RenderView::RenderView(int width, int height) : m_width(std::max(width, 1)), m_height(std::max(height, 1)) {}

void RenderView::resize(int width, int height)
{
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
}

void RenderView::setView(RenderPoint center, double scale)
{
    m_center = center;
    m_scale = std::clamp(scale, kMinScale, kMaxScale);
}

void RenderView::zoomExtents(const RenderBox& extents, double margin)
{
    if (extents.isEmpty()) {
        setView({0, 0}, 1.0);
        return;
    }
    const double usableW = m_width * (1 - 2 * margin), usableH = m_height * (1 - 2 * margin);
    const double w = std::max(extents.width(), 1e-9), h = std::max(extents.height(), 1e-9);
    double scale = std::min(usableW / w, usableH / h);
    // A single point or a line along one axis: fit what has a size.
    if (extents.width() == 0 && extents.height() == 0)
        scale = 1.0;
    else if (extents.width() == 0)
        scale = usableH / h;
    else if (extents.height() == 0)
        scale = usableW / w;
    setView(extents.center(), scale);
}

void RenderView::zoomAt(double sx, double sy, double factor)
{
    const RenderPoint before = toWorld(sx, sy);
    m_scale = std::clamp(m_scale * factor, kMinScale, kMaxScale);
    const RenderPoint after = toWorld(sx, sy);
    m_center.x += before.x - after.x;
    m_center.y += before.y - after.y;
}

void RenderView::pan(double dx, double dy)
{
    m_center.x -= dx / m_scale;
    m_center.y += dy / m_scale;
}

RenderAffine RenderView::worldToScreen() const
{
    return {m_scale, 0, 0, -m_scale, m_width / 2.0 - m_center.x * m_scale, m_height / 2.0 + m_center.y * m_scale};
}

RenderPoint RenderView::toWorld(double sx, double sy) const
{
    return {m_center.x + (sx - m_width / 2.0) / m_scale, m_center.y - (sy - m_height / 2.0) / m_scale};
}

RenderBox RenderView::visibleWorld() const
{
    return RenderBox::of(toWorld(0, m_height).x, toWorld(0, m_height).y, toWorld(m_width, 0).x, toWorld(m_width, 0).y);
}
