#include "kvrender/SceneRenderer.h"

#include <cmath>

#include "kvrender/RenderColor.h"
#include "kvrender/SceneTessellation.h"

namespace {

constexpr int kMaxDepth = 16;
constexpr double kGreekHeight = 1.5;  // texts lower than this many pixels are left out
constexpr double kTextHeight = 5.0;   // and drawn as a line below this

struct ColorContext {
    std::uint32_t byBlock = 0xFFFFFF;
    std::uint32_t layer0 = 0xFFFFFF;
};

class Painter {
public:
    Painter(const DrawingScene& scene, RasterCanvas& canvas, bool bOverride, std::uint32_t overrideRgb)
        : m_scene(scene),
          m_canvas(canvas),
          m_screen(RenderBox::of(0, 0, canvas.width(), canvas.height())),
          m_bOverride(bOverride),
          m_overrideRgb(overrideRgb)
    {
    }

    void item(const SceneItem& item, const RenderAffine& toScreen)
    {
        const RenderBox box = toScreen.apply(item.box);
        if (!box.intersects(m_screen)) return;
        if (box.width() < 1.0 && box.height() < 1.0 && item.primitiveCount > 0) {
            const ScenePrimitive& first = m_scene.primitives[item.firstPrimitive];
            if (first.kind != ScenePrimitive::kText) dot(box.center(), colorOf(first.color, ColorContext()));
            return;
        }
        primitives(item.firstPrimitive, item.primitiveCount, toScreen, ColorContext(), 0);
    }
    void finish() { m_canvas.drawTexts(m_texts); }

private:
    std::uint32_t colorOf(const SceneColor& c, const ColorContext& ctx) const
    {
        if (m_bOverride) return m_overrideRgb;
        return c.kind == SceneColor::kFixed ? c.rgb : c.kind == SceneColor::kByBlock ? ctx.byBlock : ctx.layer0;
    }
    void dot(const RenderPoint& p, std::uint32_t rgb)
    {
        m_canvas.plot(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)), rgb);
        if (m_bOverride) m_canvas.plot(static_cast<int>(std::floor(p.x)) + 1, static_cast<int>(std::floor(p.y)), rgb);
    }
    void segment(const RenderPoint& a, const RenderPoint& b, std::uint32_t rgb)
    {
        m_canvas.line(a.x, a.y, b.x, b.y, rgb, m_bOverride);
    }

    void primitives(std::uint32_t first, std::uint32_t count, const RenderAffine& t, const ColorContext& ctx, int depth)
    {
        const double scale = t.maxScale();
        for (std::uint32_t i = first; i < first + count; ++i) {
            const ScenePrimitive& p = m_scene.primitives[i];
            // Most texts of a large drawing are too small to show: leave them before anything else.
            if (p.kind == ScenePrimitive::kText && m_scene.texts[p.first].height * scale < kGreekHeight) continue;
            const RenderBox box = t.apply(p.box);
            if (!box.intersects(m_screen)) continue;
            const std::uint32_t rgb = colorOf(p.color, ctx);
            if (p.kind == ScenePrimitive::kText) {
                text(m_scene.texts[p.first], t, rgb);
                continue;
            }
            if (box.width() < 1.0 && box.height() < 1.0) {
                if (p.kind == ScenePrimitive::kInsert) {
                    const SceneInsert& ins = m_scene.inserts[p.first];
                    dot(box.center(), colorOf(ins.byBlock, ctx));
                } else {
                    dot(box.center(), rgb);
                }
                continue;
            }
            switch (p.kind) {
            case ScenePrimitive::kPolyline: polyline(p, t, rgb); break;
            case ScenePrimitive::kArc: arc(m_scene.arcs[p.first], t, rgb); break;
            case ScenePrimitive::kFill: fill(p, t, rgb); break;
            case ScenePrimitive::kWide: wide(p, t, rgb); break;
            case ScenePrimitive::kDot: dot(t.apply(m_scene.points[p.first]), rgb); break;
            case ScenePrimitive::kInsert: insert(m_scene.inserts[p.first], t, ctx, depth); break;
            case ScenePrimitive::kText: break;
            }
        }
    }

    void polyline(const ScenePrimitive& p, const RenderAffine& t, std::uint32_t rgb)
    {
        const RenderPoint* pts = &m_scene.points[p.first];
        RenderPoint previous = t.apply(pts[0]);
        const RenderPoint start = previous;
        if (p.count == 1) dot(previous, rgb);
        for (std::uint32_t k = 1; k < p.count; ++k) {
            const RenderPoint next = t.apply(pts[k]);
            segment(previous, next, rgb);
            previous = next;
        }
        if (p.closed && p.count > 2) segment(previous, start, rgb);
    }

    void arc(const SceneArc& a, const RenderAffine& t, std::uint32_t rgb)
    {
        const int n = ArcSegments(a, t.maxScale(), 0.35);
        // Rotating the radius one step at a time: one sine and cosine per arc.
        const double cs = std::cos(a.sweep / n), sn = std::sin(a.sweep / n);
        double rx = a.radius * std::cos(a.start), ry = a.radius * std::sin(a.start);
        RenderPoint previous = t.apply(a.center.x + rx, a.center.y + ry);
        for (int k = 1; k <= n; ++k) {
            const double nx = rx * cs - ry * sn;
            ry = rx * sn + ry * cs, rx = nx;
            const RenderPoint next = t.apply(a.center.x + rx, a.center.y + ry);
            segment(previous, next, rgb);
            previous = next;
        }
    }

    void fill(const ScenePrimitive& p, const RenderAffine& t, std::uint32_t rgb)
    {
        RenderPoint corners[4];
        for (std::uint32_t k = 0; k < p.count && k < 4; ++k) corners[k] = t.apply(m_scene.points[p.first + k]);
        m_canvas.fillConvex(corners, static_cast<int>(std::min<std::uint32_t>(p.count, 4)), rgb);
    }

    void wide(const ScenePrimitive& p, const RenderAffine& t, std::uint32_t rgb)
    {
        const double scale = t.maxScale();
        double widest = 0.0;
        for (std::uint32_t k = 0; k < p.count; ++k) widest = std::max(widest, m_scene.halfWidths[p.first + k]);
        if (widest * scale < 0.75) {
            polyline(p, t, rgb);
            return;
        }
        // A quadrilateral per segment, from the widths at its two ends.
        for (std::uint32_t k = 0; k + 1 < p.count; ++k) {
            const RenderPoint a = m_scene.points[p.first + k], b = m_scene.points[p.first + k + 1];
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            if (len == 0.0) continue;
            const double nx = -(b.y - a.y) / len, ny = (b.x - a.x) / len;
            const double wa = m_scene.halfWidths[p.first + k], wb = m_scene.halfWidths[p.first + k + 1];
            const RenderPoint quad[4] = {t.apply(a.x + nx * wa, a.y + ny * wa), t.apply(b.x + nx * wb, b.y + ny * wb),
                                         t.apply(b.x - nx * wb, b.y - ny * wb), t.apply(a.x - nx * wa, a.y - ny * wa)};
            m_canvas.fillConvex(quad, 4, rgb);
        }
    }

    void text(const SceneText& text, const RenderAffine& t, std::uint32_t rgb)
    {
        const double cs = std::cos(text.rotation), sn = std::sin(text.rotation);
        // Screen vectors of one drawing unit along and up the text.
        const RenderPoint along{t.a * cs + t.c * sn, t.b * cs + t.d * sn};
        const RenderPoint up{-t.a * sn + t.c * cs, -t.b * sn + t.d * cs};
        const double pixelsHigh = text.height * std::hypot(up.x, up.y);
        if (pixelsHigh < kGreekHeight) return;
        const RenderPoint origin = t.apply(text.origin);
        if (pixelsHigh < kTextHeight) {
            // Too small to read: a line where the text runs, at half its height.
            const double h = text.height / 2;
            segment({origin.x + up.x * h, origin.y + up.y * h},
                    {origin.x + up.x * h + along.x * text.advance, origin.y + up.y * h + along.y * text.advance}, rgb);
            return;
        }
        m_texts.push_back({text.text, origin, along, up, text.height, text.advance, rgb});
    }

    void insert(const SceneInsert& ins, const RenderAffine& t, const ColorContext& ctx, int depth)
    {
        if (depth >= kMaxDepth) return;
        const SceneBlock& block = m_scene.blocks[ins.block];
        const ColorContext inner{colorOf(ins.byBlock, ctx), colorOf(ins.layer, ctx)};
        primitives(block.firstPrimitive, block.primitiveCount, t.after(ins.placement), inner, depth + 1);
    }

    const DrawingScene& m_scene;
    RasterCanvas& m_canvas;
    RenderBox m_screen;
    bool m_bOverride;
    std::uint32_t m_overrideRgb;
    std::vector<CanvasText> m_texts;
};

}  // namespace

void SceneRenderer::render(const DrawingScene& scene, const RenderView& view, RasterCanvas& canvas)
{
    canvas.clear(kRenderBackground);
    const RenderAffine toScreen = view.worldToScreen();
    Painter painter(scene, canvas, false, 0);
    const RenderBox visible = view.visibleWorld();
    const RenderBox extents = scene.extents();
    // Most of the drawing in view: one pass over every item beats the grid.
    if (visible.contains(extents) || scene.items().size() < 64) {
        for (const SceneItem& item : scene.items()) painter.item(item, toScreen);
    } else {
        std::vector<std::uint32_t> indexes;
        scene.query(visible, indexes);
        for (std::uint32_t i : indexes) painter.item(scene.items()[i], toScreen);
    }
    painter.finish();
}

void SceneRenderer::highlight(const DrawingScene& scene, const RenderView& view, RasterCanvas& canvas,
                              const std::vector<std::uint32_t>& items, std::uint32_t rgb)
{
    Painter painter(scene, canvas, true, rgb);
    const RenderAffine toScreen = view.worldToScreen();
    for (std::uint32_t i : items)
        if (i < scene.items().size()) painter.item(scene.items()[i], toScreen);
    painter.finish();
}
