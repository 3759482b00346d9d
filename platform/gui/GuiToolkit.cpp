#include "kvgui/GuiToolkit.h"

#include <X11/Xlib.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstdlib>

bool kvguiStartToolkit(const char* argv0, std::string& error)
{
    int argc = 1;
    char* argv[] = {const_cast<char*>(argv0), nullptr};
    error = "--gui: cannot open the display (is DISPLAY set?)";
    // GTK ends the process on a display it cannot open: ask first. The connection stays open
    // until GTK has its own, or a virtual server would reset in between.
    Display* pProbe = nullptr;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!(wayland && *wayland)) {
        pProbe = XOpenDisplay(nullptr);
        if (pProbe == nullptr) return false;
    }
    wxApp::SetInstance(new wxApp());
    const bool bStarted = wxEntryStart(argc, argv) && wxTheApp->CallOnInit();
    if (pProbe) XCloseDisplay(pProbe);
    if (!bStarted) return false;
    error.clear();
    wxTheApp->SetAppDisplayName("kvhost");
    wxInitAllImageHandlers();
    return true;
}

void kvguiStopToolkit()
{
    if (wxTheApp) wxTheApp->OnExit();
    wxEntryCleanup();
}
