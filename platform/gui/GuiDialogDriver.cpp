#include "kvgui/GuiDialogDriver.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "kv/KvScript.h"
#include "kv/KvString.h"
#include "kvgui/GuiText.h"
#include "kvui/KvUiMessageBox.h"

namespace {
// Whether the widget's answer is the gesture the script line asked for.
bool sameGesture(const KvUiAction& asked, const KvUiAction& done)
{
    if (asked.id != done.id) return false;
    switch (asked.kind) {
    case KvUiActionKind::Click:
        // Clicking a check box toggles it.
        return done.kind == KvUiActionKind::Click || done.kind == KvUiActionKind::Check;
    case KvUiActionKind::Check: return done.kind == asked.kind && done.bOn == asked.bOn;
    case KvUiActionKind::Select: return done.kind == asked.kind && done.text == asked.text;
    case KvUiActionKind::Item:
    case KvUiActionKind::Total: return done.kind == asked.kind && done.text == asked.text && done.bOn == asked.bOn;
    case KvUiActionKind::CellMenu: return done.kind == asked.kind && done.row == asked.row && done.col == asked.col;
    case KvUiActionKind::HeaderMenu: return done.kind == asked.kind;
    case KvUiActionKind::Sort: return done.kind == asked.kind && done.col == asked.col;
    case KvUiActionKind::MoveCol: return done.kind == asked.kind && done.col == asked.col && done.to == asked.to;
    default: return false;
    }
}

std::string describeAction(const KvUiAction& action)
{
    std::string text = std::string(KvUiActionVerb(action.kind)) + " " + std::to_string(action.id);
    if (!action.text.empty()) text += " " + kvToUtf8(action.text);
    return text;
}

// Answers a toolkit dialog once its window is up, as the user's press would. A file
// chooser still reading its folder ignores the press, so it is pressed again until the
// dialog is gone.
class ScriptedResponse {
public:
    ScriptedResponse(wxWindow& dialog, int response) : m_dialog(dialog), m_response(response)
    {
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            GtkWidget* widget = m_dialog.GetHandle();
            const bool bUp = widget && GTK_IS_DIALOG(widget) && gtk_widget_get_visible(widget);
            if (bUp) gtk_dialog_response(GTK_DIALOG(widget), m_response);
            m_timer.StartOnce(bUp ? 50 : 10);
        });
        m_timer.StartOnce(10);
    }

private:
    wxWindow& m_dialog;
    int m_response;
    wxTimer m_timer;
};
// Chooses an item on a popup menu once it is up, as the user's click on it would; without
// an item, dismisses the menu as a click beside it would. A menu that does not come up is
// dismissed after a while, so that the script fails instead of waiting for ever.
class ScriptedMenuChoice {
public:
    ScriptedMenuChoice(wxMenu& menu, wxMenuItem* pItem) : m_menu(menu), m_pItem(pItem)
    {
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            GtkWidget* shell = m_menu.m_menu;
            if (!shell) return;
            if (!gtk_widget_get_mapped(shell) && ++m_nWaits < 300) {
                m_timer.StartOnce(10);
                return;
            }
            if (m_pItem && gtk_widget_get_mapped(shell))
                gtk_menu_shell_activate_item(GTK_MENU_SHELL(shell), m_pItem->GetMenuItem(), TRUE);
            else
                gtk_menu_shell_cancel(GTK_MENU_SHELL(shell));
        });
        m_timer.StartOnce(10);
    }

private:
    wxMenu& m_menu;
    wxMenuItem* m_pItem;
    int m_nWaits = 0;
    wxTimer m_timer;
};
}  // namespace

void kvguiFlushEvents()
{
    for (int round = 0; round < 3; ++round) {
        while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
        if (wxTheApp) {
            wxTheApp->ProcessPendingEvents();
            // Lists lay their items out when idle.
            wxTheApp->ProcessIdle();
        }
        g_usleep(2000);
    }
}

GuiDialogDriver::GuiDialogDriver(wxWindow* parent, KvScript* script, std::string csPictureDir)
    : m_pParent(parent), m_csPictureDir(std::move(csPictureDir)), m_pPrevious(kvuiDriver())
{
    if (script) m_scriptDriver = std::make_unique<KvUiScriptDriver>(*script);
    if (!m_csPictureDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(m_csPictureDir, ec);
    }
    kvuiSetDriver(this);
}

GuiDialogDriver::~GuiDialogDriver()
{
    m_windows.clear();
    kvuiSetDriver(m_pPrevious);
}

GuiDialogWindow* GuiDialogDriver::WindowOf(const CKpUiBaseDialog& dlg) const
{
    auto at = m_windows.find(&dlg);
    return at == m_windows.end() ? nullptr : at->second.get();
}

GuiDialogWindow& GuiDialogDriver::WindowFor(CKpUiBaseDialog& dlg)
{
    if (GuiDialogWindow* window = WindowOf(dlg)) return *window;
    auto window = std::make_unique<GuiDialogWindow>(dlg, TopWindow(), [this](const KvUiAction& a) { Received(a); });
    GuiDialogWindow& made = *window;
    m_windows[&dlg] = std::move(window);
    m_shownOrder.push_back(&dlg);
    made.Window()->CentreOnParent();
    made.Sync();
    Picture(made);
    return made;
}

wxWindow* GuiDialogDriver::TopWindow() const
{
    for (auto at = m_shownOrder.rbegin(); at != m_shownOrder.rend(); ++at)
        if (GuiDialogWindow* window = WindowOf(**at); window && window->Window()->IsShown()) return window->Window();
    return m_pParent;
}

void GuiDialogDriver::Received(const KvUiAction& action)
{
    m_actions.push_back(action);
    if (m_pLoop && m_pLoop->IsRunning()) m_pLoop->Exit();
}

bool GuiDialogDriver::NextAction(CKpUiBaseDialog& dlg, KvUiAction& action)
{
    GuiDialogWindow& window = WindowFor(dlg);
    // A page that handed over is gone before the next one asks.
    for (auto& [model, each] : m_windows) each->Sync();
    return m_scriptDriver ? PerformScripted(window, action) : WaitForUser(window, action);
}

bool GuiDialogDriver::WaitForUser(GuiDialogWindow& window, KvUiAction& action)
{
    m_actions.clear();
    {
        wxWindowDisabler modal(window.Window());
        wxGUIEventLoop loop;
        m_pLoop = &loop;
        while (m_actions.empty()) loop.Run();
        m_pLoop = nullptr;
    }
    action = m_actions.front();
    m_actions.clear();
    return action.kind != KvUiActionKind::None;  // the window was closed without a Cancel button
}

bool GuiDialogDriver::PerformScripted(GuiDialogWindow& window, KvUiAction& action)
{
    KvUiAction asked;
    if (!m_scriptDriver->NextAction(window.Model(), asked)) return false;
    m_actions.clear();
    const bool bPerformed = window.Perform(asked);
    std::deque<KvUiAction> done;
    done.swap(m_actions);
    if (bPerformed && (done.size() != 1 || !sameGesture(asked, done.front()))) {
        std::string answered = done.empty() ? std::string("nothing") : describeAction(done.front());
        m_scriptDriver->RejectAction(window.Model(), asked,
                                     "the widget answered " + answered + " to " + describeAction(asked));
        return false;
    }
    // The dialog hears the line as written, so that what cannot be done is refused with
    // the same words as in the console.
    action = asked;
    return true;
}

bool GuiDialogDriver::RejectAction(CKpUiBaseDialog& dlg, const KvUiAction& action, const std::string& why)
{
    if (m_scriptDriver) return m_scriptDriver->RejectAction(dlg, action, why);
    wxMessageDialog box(TopWindow(), wxString::FromUTF8(why), kvguiText(dlg.GetWindowText()), wxOK | wxICON_WARNING);
    box.ShowModal();
    return false;
}

void GuiDialogDriver::Picture(GuiDialogWindow& window)
{
    if (m_csPictureDir.empty()) return;
    kvguiFlushEvents();
    char name[64];
    std::snprintf(name, sizeof name, "%02d-dlg%u-%s.png", ++m_nPictures, window.Model().GetTemplateId(),
                  kvguiLanguageCode());
    const wxImage shot = window.Grab();
    shot.SaveFile(wxString::FromUTF8((std::filesystem::path(m_csPictureDir) / name).string()), wxBITMAP_TYPE_PNG);
    std::ofstream report(std::filesystem::path(m_csPictureDir) / "layout.txt", std::ios::app);
    const std::string dialog =
        "dialog " + std::to_string(window.Model().GetTemplateId()) + " " + kvguiLanguageCode() + ": ";
    std::vector<std::string> problems = window.LayoutProblems(shot);
    if (problems.empty()) report << dialog << "fits\n";
    for (const auto& problem : problems) report << dialog << problem << "\n";
}

void GuiDialogDriver::DialogShown(CKpUiBaseDialog& dlg, bool)
{
    if (GuiDialogWindow* window = WindowOf(dlg)) {
        window->SyncVisibility();
        kvguiFlushEvents();
    }
}

void GuiDialogDriver::DialogClosed(CKpUiBaseDialog& dlg)
{
    m_windows.erase(&dlg);
    m_shownOrder.erase(std::remove(m_shownOrder.begin(), m_shownOrder.end(), &dlg), m_shownOrder.end());
}

int GuiDialogDriver::MessageBox(const KvUiMessageBoxRequest& request)
{
    if (!m_scriptDriver) return ShowMessageBox(request, nullptr);
    const int scripted = m_scriptDriver->MessageBox(request);
    return ShowMessageBox(request, &scripted);
}

int GuiDialogDriver::ShowMessageBox(const KvUiMessageBoxRequest& request, const int* pScripted)
{
    long style = 0;
    switch (request.type & MB_TYPEMASK) {
    case MB_YESNO: style |= wxYES_NO; break;
    case MB_OKCANCEL: style |= wxOK | wxCANCEL; break;
    default: style |= wxOK; break;
    }
    switch (request.type & MB_ICONMASK) {
    case MB_ICONERROR: style |= wxICON_ERROR; break;
    case MB_ICONQUESTION: style |= wxICON_QUESTION; break;
    case MB_ICONWARNING: style |= wxICON_WARNING; break;
    case MB_ICONINFORMATION: style |= wxICON_INFORMATION; break;
    default: style |= wxICON_NONE; break;
    }
    const wxString caption = request.caption.empty() ? wxTheApp->GetAppDisplayName() : kvguiText(request.caption);
    wxMessageDialog box(TopWindow(), kvguiText(request.text), caption, style);
    std::unique_ptr<ScriptedResponse> response;
    if (pScripted) {
        int gtk = *pScripted == IDYES  ? GTK_RESPONSE_YES
                  : *pScripted == IDNO ? GTK_RESPONSE_NO
                  : *pScripted == IDOK ? GTK_RESPONSE_OK
                                       : GTK_RESPONSE_CANCEL;
        response = std::make_unique<ScriptedResponse>(box, gtk);
    }
    switch (box.ShowModal()) {
    case wxID_YES: return IDYES;
    case wxID_NO: return IDNO;
    case wxID_OK: return IDOK;
    default: return kvuiDefaultMessageBoxAnswer(request.type);  // closed without an answer
    }
}

bool GuiDialogDriver::FileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer)
{
    if (m_scriptDriver) {
        KvUiFileAnswer scripted;
        const bool bChosen = m_scriptDriver->FileDialog(request, scripted);  // checked as in the console
        if (!ShowFileDialog(request, answer, bChosen ? &scripted : nullptr) || !bChosen) return false;
        if (answer.path != scripted.path || answer.filterIndex != scripted.filterIndex) {
            std::fprintf(stderr, "kvhost: the file dialog answered %s (type %d) to %s (type %d)\n",
                         kvToUtf8(answer.path).c_str(), answer.filterIndex, kvToUtf8(scripted.path).c_str(),
                         scripted.filterIndex);
            return false;
        }
        return true;
    }
    while (ShowFileDialog(request, answer, nullptr)) {
        std::string why = kvuiCheckFileAnswer(request, answer);
        if (why.empty()) return true;
        wxMessageDialog(TopWindow(), wxString::FromUTF8(why), wxTheApp->GetAppDisplayName(), wxOK | wxICON_WARNING)
            .ShowModal();
    }
    return false;
}

// pScripted: the script's answer to give; null with a script means the script cancels.
bool GuiDialogDriver::ShowFileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer,
                                     const KvUiFileAnswer* pScripted)
{
    wxString wildcard;
    for (const auto& filter : request.filters) {
        if (!wildcard.empty()) wildcard += "|";
        wildcard += kvguiText(filter.description) + "|" + kvguiText(filter.pattern);
    }
    if (wildcard.empty()) wildcard = "*";
    long style = request.bOpen ? wxFD_OPEN : wxFD_SAVE;
    if (request.flags & OFN_FILEMUSTEXIST) style |= wxFD_FILE_MUST_EXIST;
    wxFileDialog dialog(TopWindow(), wxFileSelectorPromptStr, wxString(), kvguiText(request.initialName), wildcard,
                        style);
    dialog.SetFilterIndex(std::max(0, request.initialFilter - 1));
    std::unique_ptr<ScriptedResponse> response;
    if (m_scriptDriver) {
        if (pScripted) {
            dialog.SetPath(kvguiText(pScripted->path));
            dialog.SetFilterIndex(pScripted->filterIndex - 1);
        }
        response = std::make_unique<ScriptedResponse>(dialog, pScripted ? GTK_RESPONSE_ACCEPT : GTK_RESPONSE_CANCEL);
    }
    if (dialog.ShowModal() != wxID_OK) return false;
    answer.path = kvguiText(dialog.GetPath());
    answer.filterIndex = dialog.GetFilterIndex() + 1;
    return true;
}

UINT_PTR GuiDialogDriver::PopupMenu(const CMenu& menu)
{
    return ShowMenu(menu, nullptr);
}

UINT_PTR GuiDialogDriver::PopupMenuChoosing(const CMenu& menu, UINT_PTR chosen)
{
    return ShowMenu(menu, &chosen);
}

// pChosen: the item to choose on the menu once it is up (0: dismiss it); null: the user's.
UINT_PTR GuiDialogDriver::ShowMenu(const CMenu& menu, const UINT_PTR* pChosen)
{
    wxWindow* owner = TopWindow();
    if (!owner) return 0;
    wxMenu popup;
    wxMenuItem* pToChoose = nullptr;
    const auto& items = menu.GetItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto& item = items[i];
        const int id = static_cast<int>(i) + 1;
        if (item.flags & MF_SEPARATOR) {
            popup.AppendSeparator();
            continue;
        }
        wxMenuItem* added = (item.flags & MF_CHECKED) ? popup.AppendCheckItem(id, kvguiText(item.text))
                                                      : popup.Append(id, kvguiText(item.text));
        if (item.flags & MF_CHECKED) added->Check(true);
        if (item.flags & (MF_GRAYED | MF_DISABLED)) added->Enable(false);
        if (pChosen && *pChosen && item.id == *pChosen && !pToChoose) pToChoose = added;
    }
    std::unique_ptr<ScriptedMenuChoice> choice;
    if (pChosen) choice = std::make_unique<ScriptedMenuChoice>(popup, pToChoose);
    const int chosen = owner->GetPopupMenuSelectionFromUser(popup);
    if (chosen < 1 || chosen > static_cast<int>(items.size())) return 0;
    return items[static_cast<std::size_t>(chosen - 1)].id;
}
