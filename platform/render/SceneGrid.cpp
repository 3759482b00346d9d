#include "kvrender/SceneGrid.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kItemsPerCell = 4.0;
}

void SceneGrid::build(const std::vector<RenderBox>& boxes)
{
    m_boxes = boxes;
    m_bounds = RenderBox();
    for (const RenderBox& b : boxes) m_bounds.add(b);
    m_cellItems.clear();
    m_large.clear();
    m_columns = m_rows = 0;
    m_cellStart.assign(1, 0);
    if (m_bounds.isEmpty()) return;
    const double w = std::max(m_bounds.width(), 1e-9), h = std::max(m_bounds.height(), 1e-9);
    const double cells = std::max(1.0, static_cast<double>(boxes.size()) / kItemsPerCell);
    m_cellSize = std::max(std::sqrt(w * h / cells), std::max(w, h) / 4096.0);
    m_columns = std::max(1, static_cast<int>(std::ceil(w / m_cellSize)));
    m_rows = std::max(1, static_cast<int>(std::ceil(h / m_cellSize)));
    // Counting sort by cell; a box up to one cell across reaches at most the neighbouring cells.
    std::vector<std::uint32_t> cellOf(boxes.size(), UINT32_MAX);
    m_cellStart.assign(static_cast<std::size_t>(m_columns) * m_rows + 1, 0);
    for (std::uint32_t i = 0; i < boxes.size(); ++i) {
        const RenderBox& b = boxes[i];
        if (b.isEmpty()) continue;
        if (b.width() > m_cellSize || b.height() > m_cellSize) {
            m_large.push_back(i);
            continue;
        }
        const RenderPoint c = b.center();
        const int col = std::clamp(static_cast<int>((c.x - m_bounds.minX) / m_cellSize), 0, m_columns - 1);
        const int row = std::clamp(static_cast<int>((c.y - m_bounds.minY) / m_cellSize), 0, m_rows - 1);
        cellOf[i] = static_cast<std::uint32_t>(row * m_columns + col);
        ++m_cellStart[cellOf[i] + 1];
    }
    for (std::size_t k = 1; k < m_cellStart.size(); ++k) m_cellStart[k] += m_cellStart[k - 1];
    m_cellItems.resize(m_cellStart.back());
    std::vector<std::uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::uint32_t i = 0; i < boxes.size(); ++i)
        if (cellOf[i] != UINT32_MAX) m_cellItems[fill[cellOf[i]]++] = i;
}

void SceneGrid::query(const RenderBox& box, std::vector<std::uint32_t>& out) const
{
    out.clear();
    if (box.isEmpty() || !box.intersects(m_bounds.grown(m_cellSize))) return;
    for (std::uint32_t i : m_large)
        if (m_boxes[i].intersects(box)) out.push_back(i);
    // A small box's centre lies within half a cell of any point of it.
    const RenderBox reach = box.grown(m_cellSize / 2);
    const int c0 = std::max(0, static_cast<int>(std::floor((reach.minX - m_bounds.minX) / m_cellSize)));
    const int c1 = std::min(m_columns - 1, static_cast<int>(std::floor((reach.maxX - m_bounds.minX) / m_cellSize)));
    const int r0 = std::max(0, static_cast<int>(std::floor((reach.minY - m_bounds.minY) / m_cellSize)));
    const int r1 = std::min(m_rows - 1, static_cast<int>(std::floor((reach.maxY - m_bounds.minY) / m_cellSize)));
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const std::size_t cell = static_cast<std::size_t>(r) * m_columns + c;
            for (std::uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k)
                if (m_boxes[m_cellItems[k]].intersects(box)) out.push_back(m_cellItems[k]);
        }
    std::sort(out.begin(), out.end());
}
