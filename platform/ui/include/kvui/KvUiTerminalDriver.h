#pragma once
// Shows each dialog on a text terminal (title, every visible control with its id, text and
// state, lists as tables) and reads the user's actions, typed in the same words a script
// uses. Message boxes, file dialogs and menus are answered at the prompt. Long lists show a
// page of rows at a time (rows ID FROM pages). A mistyped or impossible action is explained
// and asked again; the end of input cancels.
#include <iosfwd>

#include "kvui/KvUiDriver.h"

class KvUiTerminalDriver : public KvUiDriver {
public:
    KvUiTerminalDriver(std::istream& in, std::ostream& out) : m_in(in), m_out(out) {}

    bool NextAction(CKpUiBaseDialog& dlg, KvUiAction& action) override;
    bool RejectAction(CKpUiBaseDialog& dlg, const KvUiAction& action, const std::string& why) override;
    int MessageBox(const KvUiMessageBoxRequest& request) override;
    bool FileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer) override;
    UINT_PTR PopupMenu(const CMenu& menu) override;

    void Show(const CKpUiBaseDialog& dlg);

private:
    // The next line that is not a comment, nor blank unless bEmptyAnswers; false at the end of input.
    bool ReadLine(const char* prompt, std::string& line, bool bEmptyAnswers = false);
    void ShowHelp();
    // rows ID FROM: a page of a list of the dialog; false (explained) when there is none.
    bool ShowRows(const CKpUiBaseDialog& dlg, const std::string& line);

    std::istream& m_in;
    std::ostream& m_out;
    bool m_bMenuAsked = false;  // the last action opens a menu without its choice...
    bool m_bMenuShown = false;  // ...and a menu was shown for it
};
