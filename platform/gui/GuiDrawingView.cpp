#include "GuiDrawingView.h"

#include <cairo.h>
#include <wx/dcclient.h>
#include <wx/graphics.h>

#include <cmath>

#include "kv/KvDbDatabase.h"
#include "kvrender/RenderColor.h"
#include "kvrender/ScenePicker.h"
#include "kvrender/SceneRenderer.h"

namespace {
constexpr int kDragPixels = 4;  // a press and release further apart than this is a drag
constexpr std::uint32_t kWindowColor = 0x3D7BFF, kCrossingColor = 0x3DCC5A;
}  // namespace

GuiDrawingView::GuiDrawingView(wxWindow* parent, GuiViewListener& listener)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(800, 500), wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      m_listener(listener),
      m_scene(std::make_unique<DrawingScene>())
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &GuiDrawingView::OnPaint, this);
    Bind(wxEVT_SIZE, &GuiDrawingView::OnSize, this);
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MIDDLE_DCLICK,
                      wxEVT_RIGHT_UP, wxEVT_MOTION, wxEVT_LEAVE_WINDOW})
        Bind(type, &GuiDrawingView::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &GuiDrawingView::OnWheel, this);
    Bind(wxEVT_CHAR_HOOK, &GuiDrawingView::OnKey, this);
}

GuiDrawingView::~GuiDrawingView() = default;

void GuiDrawingView::Sync()
{
    const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    if (pDb == m_pDb && (pDb == nullptr || pDb->changeCounter() == m_changeCounter)) return;
    const bool bNewDrawing = pDb != m_pDb;
    m_pDb = pDb;
    m_changeCounter = pDb ? pDb->changeCounter() : 0;
    m_scene = pDb ? std::make_unique<DrawingScene>(*pDb) : std::make_unique<DrawingScene>();
    m_selection.clear();
    m_hover = -1;
    if (bNewDrawing) ZoomExtents();
    Redraw();
}

void GuiDrawingView::ZoomExtents()
{
    const wxSize size = GetClientSize();
    // Before the window has its size, at the first picture.
    m_bZoomExtentsPending = !IsShownOnScreen() || size.x < 16 || size.y < 16;
    m_view.resize(size.x, size.y);
    m_view.zoomExtents(m_scene->extents());
    Redraw();
}

void GuiDrawingView::ZoomTo(const RenderBox& box)
{
    const wxSize size = GetClientSize();
    m_view.resize(size.x, size.y);
    m_view.zoomExtents(box, 0.25);
    Redraw();
}

void GuiDrawingView::SetView(const RenderView& view)
{
    m_view.setView(view.center(), view.scale());
    Redraw();
}

void GuiDrawingView::SetPickFilter(std::function<bool(const SceneItem&)> filter)
{
    m_pickFilter = std::move(filter);
    m_hover = -1;
    Refresh(false);
}

void GuiDrawingView::SetSelection(std::vector<std::uint32_t> items)
{
    m_selection = std::move(items);
    Refresh(false);
}

void GuiDrawingView::Redraw()
{
    m_bBaseDirty = true;
    Refresh(false);
}

int GuiDrawingView::ItemAt(const wxPoint& screen) const
{
    const RenderPoint at = m_view.toWorld(screen.x + 0.5, screen.y + 0.5);
    return ScenePicker(*m_scene).pickAt(at, kPickPixels / m_view.scale(), m_pickFilter);
}

void GuiDrawingView::Compose()
{
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) return;
    if (!m_base || m_base->width() != size.x || m_base->height() != size.y) {
        m_base = std::make_unique<RasterCanvas>(size.x, size.y);
        m_frame = std::make_unique<RasterCanvas>(size.x, size.y);
        m_view.resize(size.x, size.y);
        m_bBaseDirty = true;
    }
    if (m_bZoomExtentsPending) {
        m_view.zoomExtents(m_scene->extents());
        m_bZoomExtentsPending = false;
        m_bBaseDirty = true;
    }
    if (m_bBaseDirty) {
        SceneRenderer::render(*m_scene, m_view, *m_base);
        m_bBaseDirty = false;
    }
    m_frame->copyFrom(*m_base);
    if (!m_selection.empty()) SceneRenderer::highlight(*m_scene, m_view, *m_frame, m_selection, kRenderHighlight);
    if (m_hover >= 0)
        SceneRenderer::highlight(*m_scene, m_view, *m_frame, {static_cast<std::uint32_t>(m_hover)}, kRenderHighlight);
    if (m_bLeftDown && m_bDragSelects &&
        (std::abs(m_lastAt.x - m_downAt.x) > kDragPixels || std::abs(m_lastAt.y - m_downAt.y) > kDragPixels)) {
        const bool bCrossing = m_lastAt.x < m_downAt.x;
        m_frame->rectangle(m_downAt.x, m_downAt.y, m_lastAt.x, m_lastAt.y, bCrossing ? kCrossingColor : kWindowColor,
                           bCrossing, 0.15);
    }
}

void GuiDrawingView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    Compose();
    if (!m_frame) return;
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
    auto* cr = gc ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
    if (cr == nullptr) return;
    cairo_save(cr);
    cairo_set_source_surface(cr, m_frame->surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void GuiDrawingView::OnSize(wxSizeEvent& event)
{
    Redraw();
    event.Skip();
}

void GuiDrawingView::Click(const wxPoint& screen)
{
    m_listener.ViewClicked(m_view.toWorld(screen.x + 0.5, screen.y + 0.5), ItemAt(screen));
}

void GuiDrawingView::Drag(const wxPoint& from, const wxPoint& to)
{
    const RenderPoint a = m_view.toWorld(from.x + 0.5, from.y + 0.5), b = m_view.toWorld(to.x + 0.5, to.y + 0.5);
    m_listener.ViewDragged(RenderBox::of(a.x, a.y, b.x, b.y), to.x < from.x);
}

void GuiDrawingView::OnMouse(wxMouseEvent& event)
{
    const wxPoint at = event.GetPosition();
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MIDDLE_DOWN) {
        m_bPanning = true;
        m_lastAt = at;
        if (!HasCapture()) CaptureMouse();
    } else if (type == wxEVT_MIDDLE_UP) {
        m_bPanning = false;
        if (HasCapture()) ReleaseMouse();
    } else if (type == wxEVT_MIDDLE_DCLICK) {
        ZoomExtents();
    } else if (type == wxEVT_LEFT_DOWN) {
        SetFocus();
        m_bLeftDown = true;
        m_downAt = m_lastAt = at;
    } else if (type == wxEVT_LEFT_UP && m_bLeftDown) {
        m_bLeftDown = false;
        const bool bDrag = std::abs(at.x - m_downAt.x) > kDragPixels || std::abs(at.y - m_downAt.y) > kDragPixels;
        Refresh(false);
        if (bDrag && m_bDragSelects)
            Drag(m_downAt, at);
        else if (!bDrag)
            Click(at);
    } else if (type == wxEVT_RIGHT_UP) {
        m_listener.ViewEnter();  // as in CAD programs: the right button ends a selection
    } else if (type == wxEVT_MOTION) {
        if (m_bPanning) {
            m_view.pan(at.x - m_lastAt.x, at.y - m_lastAt.y);
            Redraw();
        }
        m_lastAt = at;
        m_listener.ViewCursor(m_view.toWorld(at.x + 0.5, at.y + 0.5));
        if (m_pickFilter) {
            const int hover = ItemAt(at);
            if (hover != m_hover) m_hover = hover, Refresh(false);
        }
        if (m_bLeftDown) Refresh(false);
    } else if (type == wxEVT_LEAVE_WINDOW && m_hover >= 0) {
        m_hover = -1;
        Refresh(false);
    }
}

void GuiDrawingView::OnWheel(wxMouseEvent& event)
{
    const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    const double steps = static_cast<double>(event.GetWheelRotation()) / delta;
    m_view.zoomAt(event.GetX() + 0.5, event.GetY() + 0.5, std::pow(1.25, steps));
    Redraw();
}

void GuiDrawingView::OnKey(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE: m_listener.ViewEscape(); break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
    case WXK_SPACE: m_listener.ViewEnter(); break;
    default: event.Skip(); break;
    }
}
