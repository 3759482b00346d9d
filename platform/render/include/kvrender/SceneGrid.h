#pragma once
// A uniform grid over boxes: each box sits in the cell of its centre, boxes much larger
// than a cell in a list of their own, so a query looks at the cells near the queried box
// and never reports a box twice.
#include <cstdint>
#include <vector>

#include "kvrender/RenderGeometry.h"

class SceneGrid {
public:
    // The boxes are indexed by their position in the vector.
    void build(const std::vector<RenderBox>& boxes);
    // Indexes of the boxes that meet `box`, in increasing order.
    void query(const RenderBox& box, std::vector<std::uint32_t>& out) const;

private:
    std::vector<RenderBox> m_boxes;
    RenderBox m_bounds;
    double m_cellSize = 1.0;
    int m_columns = 0, m_rows = 0;
    std::vector<std::uint32_t> m_cellStart;  // m_columns * m_rows + 1 offsets into m_cellItems
    std::vector<std::uint32_t> m_cellItems;
    std::vector<std::uint32_t> m_large;
};
