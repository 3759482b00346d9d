#include "ScreenRobot.h"

#include <dlfcn.h>
#include <gdk/gdkx.h>

namespace {
// The test extension is loaded when first needed: the test program needs no link to it.
struct XTest {
    int (*motion)(Display*, int, int, int, unsigned long) = nullptr;
    int (*button)(Display*, unsigned, int, unsigned long) = nullptr;
};

const XTest& xtest()
{
    static XTest functions = [] {
        XTest f;
        if (void* lib = dlopen("libXtst.so.6", RTLD_NOW | RTLD_GLOBAL)) {
            f.motion = reinterpret_cast<decltype(f.motion)>(dlsym(lib, "XTestFakeMotionEvent"));
            f.button = reinterpret_cast<decltype(f.button)>(dlsym(lib, "XTestFakeButtonEvent"));
        }
        return f;
    }();
    return functions;
}

Display* display()
{
    return GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
}
}  // namespace

ScreenRobot::ScreenRobot()
{
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        if (m_steps.empty()) return;
        if (m_steps.front().run()) {
            m_steps.pop_front();
            m_tries = 0;
        } else if (++m_tries > 200) {  // ten seconds
            m_stuck = m_steps.front().name;
            m_steps.clear();
            m_bailOut();
            return;
        }
        if (!m_steps.empty()) m_timer.StartOnce(50);
    });
}

bool ScreenRobot::Available(std::string& why)
{
    if (!GDK_IS_X11_DISPLAY(gdk_display_get_default()))
        why = "the display is not an X display";
    else if (!xtest().motion || !xtest().button)
        why = "libXtst.so.6 is not installed";
    return why.empty();
}

void ScreenRobot::MoveTo(wxPoint screen)
{
    xtest().motion(display(), -1, screen.x, screen.y, 0);
    gdk_display_flush(gdk_display_get_default());
}

void ScreenRobot::Press(unsigned button)
{
    xtest().button(display(), button, True, 0);
    gdk_display_flush(gdk_display_get_default());
}

void ScreenRobot::Release(unsigned button)
{
    xtest().button(display(), button, False, 0);
    gdk_display_flush(gdk_display_get_default());
}

void ScreenRobot::Click(wxPoint screen, unsigned button)
{
    MoveTo(screen);
    Press(button);
    Release(button);
}

wxPoint ScreenRobot::Centre(GtkWidget* widget)
{
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    int x = 0, y = 0, left = 0, topY = 0;
    gtk_widget_translate_coordinates(widget, top, gtk_widget_get_allocated_width(widget) / 2,
                                     gtk_widget_get_allocated_height(widget) / 2, &x, &y);
    gdk_window_get_origin(gtk_widget_get_window(top), &left, &topY);
    return wxPoint(left + x, topY + y);
}

wxPoint ScreenRobot::CellCentre(GtkTreeView* tree, int row, GtkTreeViewColumn* column)
{
    GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
    GdkRectangle cell;
    gtk_tree_view_get_cell_area(tree, path, column, &cell);
    gtk_tree_path_free(path);
    int left = 0, top = 0;
    gdk_window_get_origin(gtk_tree_view_get_bin_window(tree), &left, &top);
    return wxPoint(left + cell.x + cell.width / 2, top + cell.y + cell.height / 2);
}

GtkWidget* ScreenRobot::MenuItem(const std::string& text)
{
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* at = windows; at && !found; at = at->next) {
        GtkWidget* window = GTK_WIDGET(at->data);
        GtkWidget* menu = GTK_IS_BIN(window) ? gtk_bin_get_child(GTK_BIN(window)) : nullptr;
        if (!menu || !GTK_IS_MENU(menu) || !gtk_widget_get_mapped(menu)) continue;
        GList* items = gtk_container_get_children(GTK_CONTAINER(menu));
        for (GList* item = items; item && !found; item = item->next)
            if (GTK_IS_MENU_ITEM(item->data) && gtk_menu_item_get_label(GTK_MENU_ITEM(item->data)) &&
                text == gtk_menu_item_get_label(GTK_MENU_ITEM(item->data)))
                found = GTK_WIDGET(item->data);
        g_list_free(items);
    }
    g_list_free(windows);
    return found;
}
