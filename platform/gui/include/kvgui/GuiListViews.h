#pragma once
// List views on screen, shown from their list model: report lists (columns that can be
// dragged, hidden and sorted; native check boxes in column 0; check images in cells that
// toggle when clicked; header and cell menus), list-mode lists with check boxes, and plain
// list-mode lists with icons. What the user does becomes an action for the dialog; the
// widget shows the model again once the action was carried out.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/image.h>

#include <wx/window.h>

#include "kvui/CListCtrl.h"
#include "kvui/KvUiAction.h"

using GuiActionSink = std::function<void(const KvUiAction&)>;

class GuiListView {
public:
    virtual ~GuiListView() = default;
    virtual wxWindow* Widget() = 0;
    // Shows the model's columns, items, checks, images, order and sort arrow.
    virtual void Sync() = 0;
    // Carries out a scripted action the way the user would on this widget. Returns false
    // when the widget offers no such gesture (the action then goes to the dialog as it is).
    virtual bool Perform(const KvUiAction& action) = 0;
    // What the rows on screen do not show whole (check boxes, images), given the picture of
    // the dialog the list is in.
    virtual std::vector<std::string> LayoutProblems(const wxImage& shot, const wxWindow& dialog) const = 0;
    // The width the items need where the list cannot scroll them into view, else 0.
    virtual int WidthNeeded() const { return 0; }
};

// The widget that fits the list: report view, list mode with check boxes, plain list mode.
std::unique_ptr<GuiListView> kvguiMakeListView(CListCtrl& list, wxWindow* parent, const wxRect& rect,
                                               GuiActionSink sink);
