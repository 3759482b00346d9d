#include "kvgui/GuiEditorActions.h"

#include "GuiCommandLine.h"
#include "GuiDrawingView.h"
#include "GuiMainFrame.h"
#include "kv/KvDbDatabase.h"
#include "kvrender/ScenePicker.h"

namespace {

// A screen point of the item's drawing where a click picks it, if the view has one.
bool clickablePoint(const GuiDrawingView& view, std::uint32_t item, wxPoint& at)
{
    const ScenePicker picker(view.Scene());
    const RenderAffine toScreen = view.View().worldToScreen();
    for (const RenderPoint& p : picker.samplePoints(view.Scene().items()[item])) {
        const RenderPoint s = toScreen.apply(p);
        const wxPoint candidate(static_cast<int>(std::floor(s.x)), static_cast<int>(std::floor(s.y)));
        if (candidate.x < 0 || candidate.y < 0 || candidate.x >= view.View().width() ||
            candidate.y >= view.View().height())
            continue;
        if (view.ItemAt(candidate) == static_cast<int>(item)) {
            at = candidate;
            return true;
        }
    }
    return false;
}

// A mouse event as the window system sends it to the view.
void sendMouse(GuiDrawingView& view, wxEventType type, const wxPoint& at, bool bLeftDown)
{
    wxMouseEvent event(type);
    event.SetEventObject(&view);
    event.SetId(view.GetId());
    event.SetPosition(at);
    event.m_leftDown = bLeftDown;
    view.GetEventHandler()->ProcessEvent(event);
}

void click(GuiDrawingView& view, const wxPoint& at)
{
    sendMouse(view, wxEVT_MOTION, at, false);
    sendMouse(view, wxEVT_LEFT_DOWN, at, true);
    sendMouse(view, wxEVT_LEFT_UP, at, false);
}

void drag(GuiDrawingView& view, const wxPoint& from, const wxPoint& to)
{
    sendMouse(view, wxEVT_MOTION, from, false);
    sendMouse(view, wxEVT_LEFT_DOWN, from, true);
    sendMouse(view, wxEVT_MOTION, (from + to) / 2, true);
    sendMouse(view, wxEVT_MOTION, to, true);
    sendMouse(view, wxEVT_LEFT_UP, to, false);
}

}  // namespace

void GuiTypeCommandLine(const std::string& text)
{
    if (GuiMainFrame* frame = GuiMainFrame::Instance()) frame->CommandLine().Type(text);
}

bool GuiClickEntity(const KvDbHandle& handle)
{
    GuiMainFrame* frame = GuiMainFrame::Instance();
    const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    if (frame == nullptr || pDb == nullptr) return false;
    GuiDrawingView& view = frame->View();
    view.Sync();
    KvDbObjectId id;
    if (pDb->getKvDbObjectId(id, handle) != Kvmo::eOk) return false;
    const int item = view.Scene().itemOf(id);
    if (item < 0 || !frame->Input().Accepts(view.Scene().items()[static_cast<std::size_t>(item)])) return false;
    wxPoint at;
    if (!clickablePoint(view, static_cast<std::uint32_t>(item), at)) {
        // Too small or covered at this scale: closer, as a user would zoom in.
        view.ZoomTo(view.Scene().items()[static_cast<std::size_t>(item)].box);
        if (!clickablePoint(view, static_cast<std::uint32_t>(item), at)) return false;
    }
    click(view, at);
    return true;
}

void GuiDragWindowAroundExtents()
{
    GuiMainFrame* frame = GuiMainFrame::Instance();
    if (frame == nullptr) return;
    GuiDrawingView& view = frame->View();
    view.Sync();
    view.ZoomExtents();
    const RenderBox extents = view.Scene().extents();
    if (!extents.isEmpty()) {
        const RenderAffine toScreen = view.View().worldToScreen();
        const RenderPoint a = toScreen.apply(extents.minX, extents.maxY),
                          b = toScreen.apply(extents.maxX, extents.minY);
        drag(view, wxPoint(static_cast<int>(std::floor(a.x)) - 2, static_cast<int>(std::floor(a.y)) - 2),
             wxPoint(static_cast<int>(std::ceil(b.x)) + 2, static_cast<int>(std::ceil(b.y)) + 2));
    }
    frame->CommandLine().Type("");
}

void GuiPressEscape()
{
    GuiMainFrame* frame = GuiMainFrame::Instance();
    if (frame == nullptr) return;
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_ESCAPE;
    key.SetEventObject(&frame->View());
    frame->View().GetEventHandler()->ProcessEvent(key);
}
