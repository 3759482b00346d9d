#pragma once
// The drawing view: model space drawn by the renderer, panned with the middle button,
// zoomed with the wheel at the cursor; clicks, windows (drag left to right) and crossings
// (right to left) go to whoever asked for the user's input.
#include <wx/window.h>

#include <functional>
#include <memory>
#include <vector>

#include "kvrender/DrawingScene.h"
#include "kvrender/RasterCanvas.h"
#include "kvrender/RenderView.h"

class KvDbDatabase;

// What the view tells about the user's gestures.
class GuiViewListener {
public:
    virtual ~GuiViewListener() = default;
    // A click: the drawing point and the item a pick there takes (-1 for none).
    virtual void ViewClicked(const RenderPoint& point, int item) = 0;
    // A window (bCrossing false) or crossing dragged out, in drawing units.
    virtual void ViewDragged(const RenderBox& box, bool bCrossing) = 0;
    virtual void ViewEnter() = 0;
    virtual void ViewEscape() = 0;
    // The cursor moved to a drawing point.
    virtual void ViewCursor(const RenderPoint& point) = 0;
};

class GuiDrawingView : public wxWindow {
public:
    GuiDrawingView(wxWindow* parent, GuiViewListener& listener);
    ~GuiDrawingView() override;

    // Takes up the working database when it changed since the last call: a new drawing is
    // shown at its extents, a changed one where the view was.
    void Sync();
    const DrawingScene& Scene() const { return *m_scene; }
    const RenderView& View() const { return m_view; }
    void ZoomExtents();
    void ZoomTo(const RenderBox& box);
    void SetView(const RenderView& view);

    // Items a pick takes (hover highlighting); empty: no single pick is running.
    void SetPickFilter(std::function<bool(const SceneItem&)> filter);
    // Whether a drag selects (a window or crossing) while the user selects objects.
    void SetDragSelects(bool bOn) { m_bDragSelects = bOn; }
    void SetSelection(std::vector<std::uint32_t> items);
    // The item a click at the screen point picks, honouring the pick filter; -1 for none.
    int ItemAt(const wxPoint& screen) const;
    // Pick tolerance in pixels.
    static constexpr int kPickPixels = 4;

private:
    void Click(const wxPoint& screen);
    void Drag(const wxPoint& from, const wxPoint& to);
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);
    void Redraw();  // the base picture changes
    void Compose();

    GuiViewListener& m_listener;
    const KvDbDatabase* m_pDb = nullptr;
    unsigned long m_changeCounter = 0;
    std::unique_ptr<DrawingScene> m_scene;
    RenderView m_view;
    std::unique_ptr<RasterCanvas> m_base, m_frame;
    bool m_bBaseDirty = true;
    bool m_bZoomExtentsPending = false;
    std::function<bool(const SceneItem&)> m_pickFilter;
    bool m_bDragSelects = false;
    std::vector<std::uint32_t> m_selection;
    int m_hover = -1;
    // Mouse state.
    bool m_bLeftDown = false, m_bPanning = false;
    wxPoint m_downAt, m_lastAt;
};
