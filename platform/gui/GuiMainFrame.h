#pragma once
// The main window: menu, tool bar, the drawing view, the command line and a status bar
// with the cursor's coordinates. Commands from the menu, the tool bar, the command line
// and the --script file all run through the host's command line, one at a time.
#include <wx/frame.h>

#include <istream>
#include <memory>
#include <string>

#include "GuiEditorInput.h"
#include "GuiProgress.h"

class GuiCommandLine;
class GuiDrawingView;
class HostShell;
class KvScript;
class wxGauge;

class GuiMainFrame : public wxFrame, private GuiViewListener {
public:
    GuiMainFrame(HostShell& shell, KvScript* uiScript, std::istream* script, std::string screenshotDir,
                 std::string language);
    ~GuiMainFrame() override;

    static GuiMainFrame* Instance() { return s_pInstance; }
    GuiDrawingView& View() { return *m_view; }
    GuiCommandLine& CommandLine() { return *m_commandLine; }
    GuiEditorInput& Input() { return *m_input; }

    // Runs one command as typed on the command line (echoed as the console echoes it).
    void RunCommand(const std::string& line);
    // Starts taking commands from the --script file, if there is one.
    void StartScript();
    // The window as it looks now, written as a PNG file; false when it cannot be taken.
    bool Screenshot(const std::string& path);
    // Progress of a long operation in the status bar (fraction from 0 to 1; negative: done).
    void ShowProgress(const std::string& what, double fraction);

private:
    void BuildMenus();
    void OnTyped(const std::string& text);
    void RunNextScriptLine();
    void AfterCommand();
    void Finish();
    void OnClose(wxCloseEvent& event);
    // The view's gestures go to the editor input; the cursor to the status bar.
    void ViewClicked(const RenderPoint& point, int item) override { m_input->ViewClicked(point, item); }
    void ViewDragged(const RenderBox& box, bool bCrossing) override { m_input->ViewDragged(box, bCrossing); }
    void ViewEnter() override { m_input->ViewEnter(); }
    void ViewEscape() override { m_input->ViewEscape(); }
    void ViewCursor(const RenderPoint& world) override;

    HostShell& m_shell;
    std::istream* m_script;
    std::string m_screenshotDir, m_language;
    int m_screenshots = 0;
    GuiDrawingView* m_view = nullptr;
    GuiCommandLine* m_commandLine = nullptr;
    wxGauge* m_gauge = nullptr;
    std::unique_ptr<GuiEditorInput> m_input;
    KvEdInputProvider* m_previousInput = nullptr;
    GuiProgress m_progress{*this};
    KvProgressSink* m_previousProgress = nullptr;
    bool m_bBusy = false, m_bFinished = false;
    unsigned long m_changeSeen = 0;
    const void* m_dbSeen = nullptr;
    static GuiMainFrame* s_pInstance;
};
