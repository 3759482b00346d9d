#pragma once
// Arcs as chains of segments, fine enough for the scale they are drawn or picked at.
#include <cmath>

#include "kvrender/DrawingScene.h"

// Segments for the arc so that no chord strays more than `tolerance` pixels from it at
// `scale` pixels per unit.
inline int ArcSegments(const SceneArc& arc, double scale, double tolerance)
{
    const double r = arc.radius * scale;
    if (r <= tolerance) return 1;
    const double step = 2.0 * std::acos(std::max(-1.0, 1.0 - tolerance / r));
    const int n = static_cast<int>(std::ceil(arc.sweep / std::max(step, 1e-3)));
    return std::clamp(n, 1, 1024);
}

inline RenderPoint ArcPoint(const SceneArc& arc, int k, int n)
{
    const double t = arc.start + arc.sweep * k / n;
    return {arc.center.x + arc.radius * std::cos(t), arc.center.y + arc.radius * std::sin(t)};
}
