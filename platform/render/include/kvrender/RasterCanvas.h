#pragma once
// A picture in memory (a Cairo image surface, 0xRRGGBB pixels) that the renderer draws
// lines, dots and fills into directly, and texts into through Cairo.
#include <cstdint>
#include <string>
#include <vector>

#include "kvrender/RenderGeometry.h"

typedef struct _cairo_surface cairo_surface_t;

// A line of text to draw: where it goes on the screen (the base line's left end, the
// screen vectors of one drawing unit along and up the text), its height and advance in
// drawing units.
struct CanvasText {
    std::u16string text;
    RenderPoint origin;
    RenderPoint along, up;
    double height = 0.0, advance = 0.0;
    std::uint32_t rgb = 0;
};

class RasterCanvas {
public:
    RasterCanvas(int width, int height);
    ~RasterCanvas();
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint32_t pixel(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_stride + x] & 0xFFFFFF; }
    cairo_surface_t* surface() const { return m_surface; }

    void clear(std::uint32_t rgb);
    void copyFrom(const RasterCanvas& other);  // same size
    void plot(int x, int y, std::uint32_t rgb)
    {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(m_width) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(m_height))
            m_pixels[static_cast<std::size_t>(y) * m_stride + x] = rgb;
    }
    // One pixel wide, clipped to the picture; thick draws it two pixels wide.
    void line(double x0, double y0, double x1, double y1, std::uint32_t rgb, bool bThick = false);
    void fillConvex(const RenderPoint* pts, int count, std::uint32_t rgb);
    // Texts go through Cairo, after the lines and fills of the same picture.
    void drawTexts(const std::vector<CanvasText>& texts);
    // An outlined (dashed when asked) or translucent rectangle, for rubber bands.
    void rectangle(double x0, double y0, double x1, double y1, std::uint32_t rgb, bool bDashed, double fillAlpha);

    // Written to a temporary file beside the path, then renamed; false with the reason.
    bool writePng(const std::string& path, std::string& error) const;

private:
    int m_width, m_height;
    cairo_surface_t* m_surface;
    std::uint32_t* m_pixels;
    int m_stride;  // in pixels
};
