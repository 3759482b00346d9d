#pragma once
// Which part of the drawing a picture shows: a centre in drawing units and a scale in
// pixels per unit, for a picture of a given size. Screen y grows downwards.
#include "kvrender/RenderGeometry.h"

class RenderView {
public:
    RenderView(int width = 1, int height = 1);

    int width() const { return m_width; }
    int height() const { return m_height; }
    double scale() const { return m_scale; }
    RenderPoint center() const { return m_center; }
    // A new size keeps the centre and the scale.
    void resize(int width, int height);
    // The whole box in view, with a margin of `margin` of the picture on each side.
    void zoomExtents(const RenderBox& extents, double margin = 0.04);
    // Zooms by factor (> 1 closer), keeping the drawing point under the screen point.
    void zoomAt(double sx, double sy, double factor);
    // Moves the drawing with the cursor by a number of pixels.
    void pan(double dx, double dy);
    void setView(RenderPoint center, double scale);

    RenderAffine worldToScreen() const;
    RenderPoint toScreen(const RenderPoint& p) const { return worldToScreen().apply(p); }
    RenderPoint toWorld(double sx, double sy) const;
    RenderBox visibleWorld() const;

private:
    int m_width, m_height;
    RenderPoint m_center;
    double m_scale = 1.0;
};
