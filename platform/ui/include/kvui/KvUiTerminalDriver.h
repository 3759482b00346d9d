#pragma once
// Shows each dialog on a text terminal (title, every visible control with its id, text and
// state, lists as tables) and reads the user's actions, typed in the same words a script
// uses. Message boxes, file dialogs and menus are answered at the prompt. A mistyped or
// impossible action is explained and asked again; the end of input cancels.
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
    // The next line that is not blank or a comment; false at the end of input.
    bool ReadLine(const char* prompt, std::string& line);
    void ShowHelp();

    std::istream& m_in;
    std::ostream& m_out;
};
