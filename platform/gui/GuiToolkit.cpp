#include "kvgui/GuiToolkit.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

bool kvguiStartToolkit(const char* argv0, std::string& error)
{
    int argc = 1;
    char* argv[] = {const_cast<char*>(argv0), nullptr};
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        error = "--gui: cannot open the display (is DISPLAY set?)";
        return false;
    }
    wxTheApp->SetAppDisplayName("kvhost");
    wxInitAllImageHandlers();
    return true;
}

void kvguiStopToolkit()
{
    if (wxTheApp) wxTheApp->OnExit();
    wxEntryCleanup();
}
