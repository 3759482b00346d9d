#include "GuiPointer.h"

#include "kvgui/GuiDialogDriver.h"

namespace {
void send(GdkEventType type, GdkWindow* window, double x, double y, unsigned button)
{
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(window));
    event->button.send_event = TRUE;
    event->button.time = gtk_get_current_event_time();
    event->button.x = x;
    event->button.y = y;
    event->button.button = button;
    event->button.state = type == GDK_BUTTON_RELEASE ? (button == 3 ? GDK_BUTTON3_MASK : GDK_BUTTON1_MASK) : 0;
    int rootX = 0, rootY = 0;
    gdk_window_get_root_coords(window, static_cast<int>(x), static_cast<int>(y), &rootX, &rootY);
    event->button.x_root = rootX;
    event->button.y_root = rootY;
    gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window))));
    gtk_main_do_event(event);
    gdk_event_free(event);  // also drops the window's reference
}
}  // namespace

void kvguiClick(GdkWindow* window, double x, double y, unsigned button)
{
    send(GDK_BUTTON_PRESS, window, x, y, button);
    send(GDK_BUTTON_RELEASE, window, x, y, button);
}

bool kvguiClickCell(GtkTreeView* tree, int row, GtkTreeViewColumn* column, double x, unsigned button)
{
    GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
    gtk_tree_view_scroll_to_cell(tree, path, column, FALSE, 0, 0);
    kvguiFlushEvents();
    GdkRectangle cell;
    gtk_tree_view_get_cell_area(tree, path, column, &cell);
    gtk_tree_path_free(path);
    GdkWindow* rows = gtk_tree_view_get_bin_window(tree);
    if (!rows || !gtk_widget_get_mapped(GTK_WIDGET(tree)) || cell.width <= 0 || cell.height <= 0) return false;
    kvguiClick(rows, cell.x + (x < 0 ? cell.width / 2.0 : x), cell.y + cell.height / 2.0, button);
    return true;
}
