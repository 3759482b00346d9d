#include "kvrender/RasterCanvas.h"

#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "kv/KvString.h"

namespace {

// The cap height of common sans-serif faces, as a share of their size: drawing texts are
// sized by their capitals.
constexpr double kCapHeight = 0.72;

// Liang-Barsky: clips the segment to the box; false when nothing is left.
bool clip(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax, double ymax)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
    x1 = x0 + t1 * dx, y1 = y0 + t1 * dy;
    x0 = nx0, y0 = ny0;
    return true;
}

void setRgb(cairo_t* cr, std::uint32_t rgb, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha);
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : m_width(std::max(width, 1)),
      m_height(std::max(height, 1)),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_width, m_height)),
      m_pixels(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(m_surface))),
      m_stride(cairo_image_surface_get_stride(m_surface) / 4)
{
}

RasterCanvas::~RasterCanvas()
{
    cairo_surface_destroy(m_surface);
}

void RasterCanvas::clear(std::uint32_t rgb)
{
    for (int y = 0; y < m_height; ++y) std::fill_n(m_pixels + static_cast<std::size_t>(y) * m_stride, m_width, rgb);
}

void RasterCanvas::copyFrom(const RasterCanvas& other)
{
    if (other.m_width != m_width || other.m_height != m_height) return;
    std::memcpy(m_pixels, other.m_pixels, static_cast<std::size_t>(m_stride) * 4 * m_height);
}

void RasterCanvas::line(double x0, double y0, double x1, double y1, std::uint32_t rgb, bool bThick)
{
    // Pixel (i, j) covers [i, i + 1) x [j, j + 1).
    if (!clip(x0, y0, x1, y1, 0.0, 0.0, m_width - 1e-6, m_height - 1e-6)) return;
    const int ix0 = static_cast<int>(x0), iy0 = static_cast<int>(y0);
    const int ix1 = static_cast<int>(x1), iy1 = static_cast<int>(y1);
    const int dx = ix1 - ix0, dy = iy1 - iy0;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    // One pixel per step along the longer axis, the other coordinate in 16.16 fixed point.
    if (std::abs(dx) >= std::abs(dy)) {
        const int sx = dx >= 0 ? 1 : -1;
        const std::int64_t slope = steps ? (static_cast<std::int64_t>(dy) << 16) / steps : 0;
        std::int64_t y = (static_cast<std::int64_t>(iy0) << 16) + (1 << 15);
        for (int k = 0, x = ix0; k <= steps; ++k, x += sx, y += slope) {
            const int py = static_cast<int>(y >> 16);
            m_pixels[static_cast<std::size_t>(py) * m_stride + x] = rgb;
            if (bThick) plot(x, py + 1, rgb);
        }
    } else {
        const int sy = dy >= 0 ? 1 : -1;
        const std::int64_t slope = (static_cast<std::int64_t>(dx) << 16) / steps;
        std::int64_t x = (static_cast<std::int64_t>(ix0) << 16) + (1 << 15);
        for (int k = 0, y = iy0; k <= steps; ++k, y += sy, x += slope) {
            const int px = static_cast<int>(x >> 16);
            m_pixels[static_cast<std::size_t>(y) * m_stride + px] = rgb;
            if (bThick) plot(px + 1, y, rgb);
        }
    }
}

void RasterCanvas::fillConvex(const RenderPoint* pts, int count, std::uint32_t rgb)
{
    if (count < 3) {
        for (int i = 0; i + 1 < count; ++i) line(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, rgb);
        return;
    }
    double ymin = pts[0].y, ymax = pts[0].y;
    for (int i = 1; i < count; ++i) ymin = std::min(ymin, pts[i].y), ymax = std::max(ymax, pts[i].y);
    const int y0 = std::max(0, static_cast<int>(std::ceil(ymin - 0.5)));
    const int y1 = std::min(m_height - 1, static_cast<int>(std::floor(ymax - 0.5)));
    // Each row through pixel centres: the span between the edges it crosses.
    for (int y = y0; y <= y1; ++y) {
        const double cy = y + 0.5;
        double left = 1e300, right = -1e300;
        for (int i = 0; i < count; ++i) {
            const RenderPoint& a = pts[i];
            const RenderPoint& b = pts[(i + 1) % count];
            if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy)) {
                const double x = a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y);
                left = std::min(left, x), right = std::max(right, x);
            }
        }
        if (left > right) continue;
        const int xa = std::max(0, static_cast<int>(std::ceil(left - 0.5)));
        const int xb = std::min(m_width - 1, static_cast<int>(std::floor(right - 0.5)));
        if (xa <= xb) std::fill_n(m_pixels + static_cast<std::size_t>(y) * m_stride + xa, xb - xa + 1, rgb);
    }
    // Thin fills keep an outline so that they never vanish.
    for (int i = 0; i < count; ++i) {
        const RenderPoint& a = pts[i];
        const RenderPoint& b = pts[(i + 1) % count];
        line(a.x, a.y, b.x, b.y, rgb);
    }
}

void RasterCanvas::drawTexts(const std::vector<CanvasText>& texts)
{
    if (texts.empty()) return;
    cairo_surface_mark_dirty(m_surface);
    cairo_t* cr = cairo_create(m_surface);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    for (const CanvasText& t : texts) {
        const std::string utf8 = kvToUtf8(t.text);
        cairo_save(cr);
        // Drawing units along the text to the right, font space's y down the text.
        cairo_matrix_t m;
        cairo_matrix_init(&m, t.along.x, t.along.y, -t.up.x, -t.up.y, t.origin.x, t.origin.y);
        cairo_transform(cr, &m);
        cairo_set_font_size(cr, t.height / kCapHeight);
        cairo_text_extents_t ext;
        cairo_text_extents(cr, utf8.c_str(), &ext);
        // Stretched to the width the host's metrics give, which tables are fitted to; in steps
        // of 5%, so that texts of one height share Cairo's glyph cache.
        if (ext.x_advance > 0 && t.advance > 0)
            cairo_scale(cr, std::max(0.05, std::round(t.advance / ext.x_advance * 20.0) / 20.0), 1.0);
        setRgb(cr, t.rgb);
        cairo_move_to(cr, 0, 0);
        cairo_show_text(cr, utf8.c_str());
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(m_surface);
}

void RasterCanvas::rectangle(double x0, double y0, double x1, double y1, std::uint32_t rgb, bool bDashed,
                             double fillAlpha)
{
    cairo_surface_mark_dirty(m_surface);
    cairo_t* cr = cairo_create(m_surface);
    cairo_rectangle(cr, std::floor(std::min(x0, x1)) + 0.5, std::floor(std::min(y0, y1)) + 0.5,
                    std::floor(std::fabs(x1 - x0)), std::floor(std::fabs(y1 - y0)));
    if (fillAlpha > 0) {
        setRgb(cr, rgb, fillAlpha);
        cairo_fill_preserve(cr);
    }
    setRgb(cr, rgb);
    cairo_set_line_width(cr, 1.0);
    if (bDashed) {
        const double dashes[2] = {4.0, 3.0};
        cairo_set_dash(cr, dashes, 2, 0);
    }
    cairo_stroke(cr);
    cairo_destroy(cr);
    cairo_surface_flush(m_surface);
}

bool RasterCanvas::writePng(const std::string& path, std::string& error) const
{
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    const cairo_status_t status = cairo_surface_write_to_png(m_surface, temporary.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        std::remove(temporary.c_str());
        error = cairo_status_to_string(status);
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
