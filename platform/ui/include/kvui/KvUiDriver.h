#pragma once
// Where the user's actions come from: a script, the terminal, a test. Exactly one driver
// is active in the process; dialogs, message boxes, file dialogs and popup menus ask it.
#include <optional>
#include <string>
#include <vector>

#include "kvui/CFileDialog.h"
#include "kvui/CMenu.h"
#include "kvui/KvUiAction.h"
#include "kvui/KvUiDefs.h"

class CKpUiBaseDialog;

struct KvUiMessageBoxRequest {
    std::u16string text;
    std::u16string caption;
    UINT type = MB_OK;
};

struct KvUiFileRequest {
    bool bOpen = true;
    std::u16string defExt;
    std::u16string initialName;
    DWORD flags = 0;
    std::vector<KvUiFileFilter> filters;
    int initialFilter = 1;
};

struct KvUiFileAnswer {
    std::u16string path;  // full path
    int filterIndex = 1;  // 1-based
};

class KvUiDriver {
public:
    virtual ~KvUiDriver() = default;
    // The user's next action on the dialog; false when there is none to be had (the
    // dialog is then cancelled).
    virtual bool NextAction(CKpUiBaseDialog& dlg, KvUiAction& action) = 0;
    // The action could not be carried out; true cancels the dialog, false asks again.
    virtual bool RejectAction(CKpUiBaseDialog& dlg, const KvUiAction& action, const std::string& why) = 0;
    // IDOK, IDYES or IDNO.
    virtual int MessageBox(const KvUiMessageBoxRequest& request) = 0;
    // false when the user cancels.
    virtual bool FileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer) = 0;
    // A menu shown without a choice made with the action: the chosen item's id, 0 for none.
    virtual UINT_PTR PopupMenu(const CMenu& menu) = 0;
    // A menu whose choice came with the action (0: dismissed): a driver that shows menus
    // shows this one and makes the choice on it. Returns the id the menu gave.
    virtual UINT_PTR PopupMenuChoosing(const CMenu&, UINT_PTR chosen) { return chosen; }
    // The dialog steps aside for the drawing editor (a pick) or comes back: a window that
    // shows it follows at once.
    virtual void DialogShown(CKpUiBaseDialog&, bool /*bShown*/) {}
    // The dialog's modal run is over; its controls are about to go.
    virtual void DialogClosed(CKpUiBaseDialog&) {}
};

void kvuiSetDriver(KvUiDriver* driver);  // not owned
KvUiDriver* kvuiDriver();

// Checks an answer against the request, as a desktop file chooser does before the program
// sees the path: filter index in range, an existing file when the dialog requires one, and for
// a save an existing folder that can be written. Makes the path absolute. Returns why it is
// refused (every driver shows it and asks again; a script line fails), or empty.
std::string kvuiCheckFileAnswer(const KvUiFileRequest& request, KvUiFileAnswer& answer);
// For a save that asks before replacing (OFN_OVERWRITEPROMPT) an existing file: the yes/no
// question to ask (no: ask for another file). Empty when there is nothing to ask.
std::u16string kvuiOverwriteQuestion(const KvUiFileRequest& request, const KvUiFileAnswer& answer);
// Checks an answer against a message box's buttons; returns why it is refused, or empty.
std::string kvuiCheckMessageBoxAnswer(UINT type, int answer);

// The menu choice that came with the action being dispatched (cellmenu, headermenu).
struct KvUiPendingMenuChoice {
    bool bActive = false;
    bool bNone = false;  // the user dismisses the menu
    int key = 0;         // otherwise the key of the item chosen
    bool bUsed = false;
    std::string error;  // the choice matched no enabled item
};
KvUiPendingMenuChoice& kvuiPendingMenuChoice();
