#include "GuiMainFrame.h"

#include <gtk/gtk.h>
#include <wx/artprov.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <cstdio>
#include <utility>

#include "GuiCommandLine.h"
#include "GuiDrawingView.h"
#include "kvgui/GuiDialogDriver.h"
#include "kvgui/GuiHostTexts.h"
#include "kvgui/GuiPicture.h"
#include "kv/KvConsole.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvRx.h"
#include "kv/KvString.h"
#include "shell/HostShell.h"

GuiMainFrame* GuiMainFrame::s_pInstance = nullptr;

namespace {

enum MenuId {
    kOpen = wxID_OPEN,
    kSave = wxID_SAVE,
    kSaveAs = wxID_SAVEAS,
    kQuit = wxID_EXIT,
    kExtract = wxID_HIGHEST + 1,
    kUpdate,
    kZoomExtents
};

std::string trimmed(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// GTK names the chooser's buttons in the desktop's language: name them in the user's.
void nameButtons(wxFileDialog& dialog, GuiHostText accept)
{
    GtkWidget* chooser = dialog.GetHandle();
    if (!chooser || !GTK_IS_DIALOG(chooser)) return;
    const std::pair<int, GuiHostText> buttons[] = {{GTK_RESPONSE_CANCEL, GuiHostText::kCancelButton},
                                                   {GTK_RESPONSE_ACCEPT, accept}};
    for (const auto& [response, text] : buttons) {
        GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(chooser), response);
        if (!button || !GTK_IS_BUTTON(button)) continue;
        wxString label = kvguiHostText(text);
        label.Replace("&", "_");  // GTK's mnemonic mark
        gtk_button_set_use_underline(GTK_BUTTON(button), TRUE);
        gtk_button_set_label(GTK_BUTTON(button), label.utf8_str());
    }
}

std::string quoted(const wxString& path)
{
    return "\"" + path.utf8_string() + "\"";
}

}  // namespace

GuiMainFrame::GuiMainFrame(HostShell& shell, KvScript* uiScript, std::istream* script, std::string screenshotDir,
                           std::string language)
    : wxFrame(nullptr, wxID_ANY, "kvhost", wxDefaultPosition, wxSize(1100, 760)),
      m_shell(shell),
      m_script(script),
      m_screenshotDir(std::move(screenshotDir)),
      m_language(std::move(language))
{
    s_pInstance = this;
    BuildMenus();
    auto* splitter = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE);
    m_commandLine = new GuiCommandLine(
        splitter, [this](const std::string& text) { OnTyped(text); },
        [this] {
            if (m_input->IsWaiting()) m_input->Cancel();
        });
    m_view = new GuiDrawingView(splitter, *this);
    m_input = std::make_unique<GuiEditorInput>(*m_view, *m_commandLine, uiScript);
    splitter->SplitHorizontally(m_view, m_commandLine, -170);
    splitter->SetSashGravity(1.0);
    splitter->SetMinimumPaneSize(60);

    CreateStatusBar(3);
    const int widths[3] = {-1, 160, 260};
    GetStatusBar()->SetStatusWidths(3, widths);
    m_gauge = new wxGauge(GetStatusBar(), wxID_ANY, 1000);
    m_gauge->Hide();

    m_previousInput = kvedInputProvider();
    kvedSetInputProvider(m_input.get());
    m_previousProgress = kvProgressSink();
    kvSetProgressSink(&m_progress);
    KvConsole::instance().setListener(
        [this](const std::u16string& text) { m_commandLine->AppendOutput(kvToUtf8(text)); });
    Bind(wxEVT_CLOSE_WINDOW, &GuiMainFrame::OnClose, this);
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        m_view->Sync();
        event.Skip();
    });
    m_view->Sync();
    SetTitle("kvhost - " + wxString::FromUTF8(kvToUtf8(kvDocManagerPtr()->curDocument()->fileName())));
}

GuiMainFrame::~GuiMainFrame()
{
    KvConsole::instance().setListener(nullptr);
    kvedSetInputProvider(m_previousInput);
    kvSetProgressSink(m_previousProgress);
    if (s_pInstance == this) s_pInstance = nullptr;
}

void GuiMainFrame::BuildMenus()
{
    using T = GuiHostText;
    // Accelerators stay the same in every language.
    auto item = [](wxMenu* menu, int id, T label, const char* accelerator, T help) {
        menu->Append(id, kvguiHostText(label) + accelerator, kvguiHostText(help));
    };
    auto* file = new wxMenu;
    item(file, kOpen, T::kOpen, "\tCtrl+O", T::kOpenHelp);
    item(file, kSave, T::kSave, "\tCtrl+S", T::kSaveHelp);
    item(file, kSaveAs, T::kSaveAs, "\tCtrl+Shift+S", T::kSaveAsHelp);
    file->AppendSeparator();
    item(file, kQuit, T::kQuit, "\tCtrl+Q", T::kQuitHelp);
    auto* tools = new wxMenu;
    item(tools, kExtract, T::kExtract, "", T::kExtractHelp);
    item(tools, kUpdate, T::kUpdate, "", T::kUpdateHelp);
    auto* view = new wxMenu;
    item(view, kZoomExtents, T::kZoomExtents, "\tCtrl+E", T::kZoomExtentsHelp);
    auto* bar = new wxMenuBar;
    bar->Append(file, kvguiHostText(T::kMenuFile));
    bar->Append(view, kvguiHostText(T::kMenuView));
    bar->Append(tools, kvguiHostText(T::kMenuTools));
    SetMenuBar(bar);

    // A tool's tip and its status bar text are its menu item's help.
    wxToolBar* toolbar = CreateToolBar(wxTB_HORIZONTAL | wxTB_TEXT);
    auto tool = [toolbar](int id, T label, const wxArtID& art, T help) {
        toolbar
            ->AddTool(id, kvguiHostText(label), wxArtProvider::GetBitmap(art, wxART_TOOLBAR), kvguiHostText(help),
                      wxITEM_NORMAL)
            ->SetLongHelp(kvguiHostText(help));
    };
    tool(kOpen, T::kToolOpen, wxART_FILE_OPEN, T::kOpenHelp);
    tool(kSave, T::kToolSave, wxART_FILE_SAVE, T::kSaveHelp);
    tool(kSaveAs, T::kToolSaveAs, wxART_FILE_SAVE_AS, T::kSaveAsHelp);
    toolbar->AddSeparator();
    tool(kExtract, T::kToolExtract, wxART_REPORT_VIEW, T::kExtractHelp);
    tool(kUpdate, T::kToolUpdate, wxART_REDO, T::kUpdateHelp);
    toolbar->AddSeparator();
    tool(kZoomExtents, T::kToolZoomExtents, wxART_FULL_SCREEN, T::kZoomExtentsHelp);
    tool(kQuit, T::kToolQuit, wxART_QUIT, T::kQuitHelp);
    toolbar->Realize();

    Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
        switch (event.GetId()) {
        case kOpen: {
            wxFileDialog dialog(this, kvguiHostText(GuiHostText::kOpenTitle), wxEmptyString, wxEmptyString,
                                kvguiHostText(GuiHostText::kDrawingFiles) + "|*.dxf;*.DXF|" +
                                    kvguiHostText(GuiHostText::kAllFiles) + "|*",
                                wxFD_OPEN | wxFD_FILE_MUST_EXIST);
            nameButtons(dialog, GuiHostText::kOpenButton);
            if (dialog.ShowModal() == wxID_OK) RunCommand("OPEN " + quoted(dialog.GetPath()));
            break;
        }
        case kSave: RunCommand("SAVE"); break;
        case kSaveAs: {
            wxFileDialog dialog(this, kvguiHostText(GuiHostText::kSaveAsTitle), wxEmptyString, wxEmptyString,
                                kvguiHostText(GuiHostText::kDrawingFiles) + "|*.dxf",
                                wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
            nameButtons(dialog, GuiHostText::kSaveButton);
            if (dialog.ShowModal() == wxID_OK) RunCommand("SAVEAS " + quoted(dialog.GetPath()));
            break;
        }
        case kQuit: RunCommand("QUIT"); break;
        case kExtract: RunCommand("DATAEXTRACTION"); break;
        case kUpdate: RunCommand("DATAEXTRACTIONUPDATE"); break;
        case kZoomExtents: m_view->ZoomExtents(); break;
        default: event.Skip(); break;
        }
    });
}

void GuiMainFrame::OnTyped(const std::string& text)
{
    if (m_input->Entered(text)) return;
    if (m_bBusy) {
        SetStatusText(kvguiHostText(GuiHostText::kCommandRunning));
        return;
    }
    // Run after the key's handler returns: the command may take the user's input itself.
    CallAfter([this, text] { RunCommand(text); });
}

void GuiMainFrame::RunCommand(const std::string& typed)
{
    const std::string line = trimmed(typed);
    if (m_bBusy || m_bFinished || line.empty() || line[0] == '#') return;
    m_bBusy = true;
    SetStatusText(wxEmptyString);
    KvConsole::instance().write(u"\nCommand: " + kvFromUtf8(line));
    m_shell.execute(line);
    m_bBusy = false;
    AfterCommand();
}

void GuiMainFrame::AfterCommand()
{
    m_view->Sync();
    const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
    SetTitle("kvhost - " + wxString::FromUTF8(kvToUtf8(kvDocManagerPtr()->curDocument()->fileName())));
    const bool bChanged = pDb != m_dbSeen || (pDb && pDb->changeCounter() != m_changeSeen);
    m_dbSeen = pDb;
    m_changeSeen = pDb ? pDb->changeCounter() : 0;
    if (bChanged && !m_screenshotDir.empty()) {
        // The picture is for review: the whole drawing, then the user's view again.
        const RenderView kept = m_view->View();
        m_view->ZoomExtents();
        m_view->Update();
        Screenshot(m_screenshotDir + "/main-" + m_language + "-" + std::to_string(++m_screenshots) + ".png");
        m_view->SetView(kept);
    }
    if (m_shell.quitRequested()) Finish();
}

void GuiMainFrame::StartScript()
{
    if (m_script) CallAfter([this] { RunNextScriptLine(); });
}

void GuiMainFrame::RunNextScriptLine()
{
    std::string line;
    while (!m_bFinished && std::getline(*m_script, line)) {
        const std::string command = trimmed(line);
        if (command.empty() || command[0] == '#') continue;
        RunCommand(command);
        if (!m_bFinished) CallAfter([this] { RunNextScriptLine(); });
        return;
    }
    Finish();  // the end of the script, as the end of the console's input
}

void GuiMainFrame::Finish()
{
    if (m_bFinished) return;
    m_bFinished = true;
    m_shell.unloadModule();
    KvConsole::instance().write(u"\n");
    Destroy();
}

void GuiMainFrame::OnClose(wxCloseEvent& event)
{
    if (m_bBusy && event.CanVeto()) {
        // A command runs: cancel its point or selection; a dialog has to be closed first.
        if (m_input->IsWaiting()) {
            m_input->Cancel();
            CallAfter([this] { Close(); });
        } else {
            SetStatusText(kvguiHostText(GuiHostText::kCloseDialogFirst));
        }
        event.Veto();
        return;
    }
    Finish();
}

void GuiMainFrame::ViewCursor(const RenderPoint& world)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.4f, %.4f", world.x, world.y);
    SetStatusText(text, 2);
}

void GuiMainFrame::ShowProgress(const std::string& what, double fraction)
{
    if (fraction < 0) {
        m_gauge->Hide();
        SetStatusText(wxEmptyString, 0);
        return;
    }
    wxRect field;
    GetStatusBar()->GetFieldRect(1, field);
    m_gauge->SetSize(field);
    m_gauge->SetValue(static_cast<int>(fraction * 1000));
    m_gauge->Show();
    SetStatusText(wxString::FromUTF8(what), 0);
}

bool GuiMainFrame::Screenshot(const std::string& path)
{
    Raise();
    Update();
    kvguiFlushEvents();  // GTK paints on its own clock: let it finish before reading the screen
    return kvguiWritePicture(this, path);
}
