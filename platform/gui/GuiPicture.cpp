#include "kvgui/GuiPicture.h"

#include <gtk/gtk.h>
#include <wx/window.h>

bool kvguiWritePicture(wxWindow* window, const std::string& path)
{
    GdkWindow* source = window ? gtk_widget_get_window(window->GetHandle()) : gdk_get_default_root_window();
    if (!source) return false;
    GdkPixbuf* picture =
        gdk_pixbuf_get_from_window(source, 0, 0, gdk_window_get_width(source), gdk_window_get_height(source));
    if (!picture) return false;
    const bool bWritten = gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(picture);
    return bWritten;
}
