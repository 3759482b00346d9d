#pragma once
// The dialogs of the graphical host in real windows. Each running dialog model gets a
// window built from its template; a widget event becomes the action the script and
// terminal drivers would produce, the dialog model carries it out, and every window is
// shown from its model again before the next action. Message boxes, file dialogs and popup
// menus are the toolkit's own.
//
// With a script, each of its lines is performed on the widgets (a click presses the
// button, an item line toggles the list item's box...) and the action the widget produced
// goes to the dialog; a widget that answers otherwise than the line says fails the script.
// Message boxes and file dialogs are shown and answered as the script says.
//
// With a picture folder, each dialog is pictured when it first shows
// (NN-dlgID-LANG.png) and its layout is checked: layout.txt gets one line per problem
// (overlapping controls, a text wider than its control, a window not of its template's
// size), or "fits".
#include <deque>
#include <map>
#include <memory>
#include <string>

#include <wx/window.h>

#include "kvgui/GuiDialogWindow.h"
#include "kvui/KvUiDriver.h"
#include "kvui/KvUiScriptDriver.h"

class KvScript;
class wxGUIEventLoop;

class GuiDialogDriver : public KvUiDriver {
public:
    // parent: the host's main window, or null. script: the user's answers, or null for
    // the user at the screen.
    GuiDialogDriver(wxWindow* parent, KvScript* script, std::string csPictureDir);
    ~GuiDialogDriver() override;
    GuiDialogDriver(const GuiDialogDriver&) = delete;
    GuiDialogDriver& operator=(const GuiDialogDriver&) = delete;

    bool NextAction(CKpUiBaseDialog& dlg, KvUiAction& action) override;
    bool RejectAction(CKpUiBaseDialog& dlg, const KvUiAction& action, const std::string& why) override;
    int MessageBox(const KvUiMessageBoxRequest& request) override;
    bool FileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer) override;
    UINT_PTR PopupMenu(const CMenu& menu) override;
    UINT_PTR PopupMenuChoosing(const CMenu& menu, UINT_PTR chosen) override;
    void DialogShown(CKpUiBaseDialog& dlg, bool bShown) override;
    void DialogClosed(CKpUiBaseDialog& dlg) override;

    // The window of a running dialog, or null.
    GuiDialogWindow* WindowOf(const CKpUiBaseDialog& dlg) const;

private:
    GuiDialogWindow& WindowFor(CKpUiBaseDialog& dlg);
    void Received(const KvUiAction& action);
    bool WaitForUser(GuiDialogWindow& window, KvUiAction& action);
    bool PerformScripted(GuiDialogWindow& window, KvUiAction& action);
    void Picture(GuiDialogWindow& window);
    int ShowMessageBox(const KvUiMessageBoxRequest& request, const int* pScripted);
    bool ShowFileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer, const KvUiFileAnswer* pScripted);
    UINT_PTR ShowMenu(const CMenu& menu, const UINT_PTR* pChosen);
    wxWindow* TopWindow() const;

    wxWindow* m_pParent;
    std::unique_ptr<KvUiScriptDriver> m_scriptDriver;
    std::string m_csPictureDir;
    int m_nPictures = 0;
    std::map<const CKpUiBaseDialog*, std::unique_ptr<GuiDialogWindow>> m_windows;
    std::deque<const CKpUiBaseDialog*> m_shownOrder;
    std::deque<KvUiAction> m_actions;
    wxGUIEventLoop* m_pLoop = nullptr;
    KvUiDriver* m_pPrevious = nullptr;
};

// Runs the toolkit's pending work (drawing, layout) until none is left.
void kvguiFlushEvents();
