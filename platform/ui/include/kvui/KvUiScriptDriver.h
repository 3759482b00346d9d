#pragma once
// Answers every dialog, message box and file dialog from the lines of a script, in order,
// sharing the script's cursor with the editor's input. A line of the wrong sort, an
// unknown control, item or column, or a script that has run out: one line on standard
// error naming the script line, and the request is cancelled (the dialog as if Cancel
// had been pressed); the script remembers the failure for the program's exit status.
#include "kv/KvScript.h"
#include "kvui/KvUiDriver.h"

class KvUiScriptDriver : public KvUiDriver {
public:
    explicit KvUiScriptDriver(KvScript& script) : m_script(script) {}

    bool NextAction(CKpUiBaseDialog& dlg, KvUiAction& action) override;
    bool RejectAction(CKpUiBaseDialog& dlg, const KvUiAction& action, const std::string& why) override;
    int MessageBox(const KvUiMessageBoxRequest& request) override;
    bool FileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer) override;
    UINT_PTR PopupMenu(const CMenu& menu) override;

private:
    // The next line parsed; false (reported) when the script ran out or the line is bad.
    bool Take(const std::string& waiting, KvUiAction& action);

    KvScript& m_script;
    KvScript::Line m_line;
};

// How a waiting dialog is named in messages: dialog 102 "Its title".
std::string kvuiDescribeDialog(const CKpUiBaseDialog& dlg);
