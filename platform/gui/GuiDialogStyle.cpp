#include "kvgui/GuiDialogStyle.h"

#include <gtk/gtk.h>

namespace {
// Padding and least sizes as the templates expect them; the theme keeps colours and fonts.
const char* const kDialogCss = R"css(
.kv-dialog button { min-height: 0; min-width: 0; padding: 1px 3px; }
.kv-dialog checkbutton, .kv-dialog radiobutton { min-height: 0; padding-top: 0; padding-bottom: 0; }
.kv-dialog check, .kv-dialog radio { min-width: 13px; min-height: 13px; margin: 0 3px 0 0; }
.kv-dialog checkbutton label, .kv-dialog radiobutton label { margin: 0; }
.kv-dialog entry { min-height: 0; padding-top: 1px; padding-bottom: 1px; }
.kv-dialog combobox button { min-height: 0; padding-top: 1px; padding-bottom: 1px; }
)css";
}  // namespace

void kvguiUseDialogStyle(wxWindow& dialog)
{
    static GtkCssProvider* provider = [] {
        GtkCssProvider* css = gtk_css_provider_new();
        gtk_css_provider_load_from_data(css, kDialogCss, -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        return css;
    }();
    (void)provider;
    gtk_style_context_add_class(gtk_widget_get_style_context(dialog.GetHandle()), "kv-dialog");
}
