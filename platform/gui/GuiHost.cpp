#include "kvgui/GuiHost.h"

#include <wx/app.h>

#include <memory>

#include "GuiMainFrame.h"
#include "kvgui/GuiDialogDriver.h"
#include "kvgui/GuiText.h"

void RunGuiHost(const HostOptions& options, HostShell& shell, KvScript* uiScript, std::istream* script)
{
    auto* frame = new GuiMainFrame(shell, uiScript, script, options.csScreenshotDir, kvguiLanguageCode());
    // Dialogs open over the main window and take their answers from the same script.
    auto dialogs = std::make_unique<GuiDialogDriver>(frame, uiScript, options.csScreenshotDir);
    wxTheApp->SetTopWindow(frame);
    frame->Show();
    frame->StartScript();
    wxTheApp->OnRun();  // until the main window is gone
}

wxWindow* KvGuiMainWindow()
{
    return GuiMainFrame::Instance();
}
