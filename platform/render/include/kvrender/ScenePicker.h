#pragma once
// Which items a click, a window or a crossing selects. Distances are in drawing units;
// results come in drawing order.
#include <cstdint>
#include <functional>
#include <vector>

#include "kvrender/DrawingScene.h"

class ScenePicker {
public:
    explicit ScenePicker(const DrawingScene& scene) : m_scene(scene) {}

    // The item drawn nearest to the point, within tolerance, that `accept` takes (all when
    // empty); the one drawn last among equally near ones; a click inside a table picks it
    // unless something else is within the tolerance. -1 when there is none.
    int pickAt(RenderPoint point, double tolerance, const std::function<bool(const SceneItem&)>& accept = {}) const;
    // Items wholly inside the box.
    std::vector<std::uint32_t> window(const RenderBox& box) const;
    // Items inside the box or crossing its edges.
    std::vector<std::uint32_t> crossing(const RenderBox& box) const;
    // Distance from the point to what the item draws (0 inside fills and texts).
    double distanceTo(const SceneItem& item, RenderPoint point) const;
    // Whether anything the item draws meets the box.
    bool touches(const SceneItem& item, const RenderBox& box) const;
    // Points on what the item draws (middles and ends of its segments, middles of its
    // areas), where a click would land on it.
    std::vector<RenderPoint> samplePoints(const SceneItem& item) const;

private:
    const DrawingScene& m_scene;
};
