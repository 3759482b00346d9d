#include "kvgui/GuiHost.h"

#include <wx/app.h>

#include <memory>

#include "GuiMainFrame.h"
#include "kv/KvUiLanguage.h"
#include "kvgui/GuiDialogDriver.h"

namespace {

const char* languageCode()
{
    switch (kvGetUiLanguage()) {
    case KvUiLanguage::Spanish: return "es";
    case KvUiLanguage::French: return "fr";
    default: return "en";
    }
}

}  // namespace

void RunGuiHost(const HostOptions& options, HostShell& shell, KvScript* uiScript, std::istream* script)
{
    auto* frame = new GuiMainFrame(shell, uiScript, script, options.csScreenshotDir, languageCode());
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
