#include "kvui/KvUiScriptDriver.h"

#include "kv/KvString.h"
#include "kvui/CKpUiBaseDialog.h"
#include "kvui/KvUiMessageBox.h"

std::string kvuiDescribeDialog(const CKpUiBaseDialog& dlg)
{
    return "dialog " + std::to_string(dlg.GetTemplateId()) + " \"" + kvToUtf8(dlg.GetWindowText()) + "\"";
}

bool KvUiScriptDriver::Take(const std::string& waiting, KvUiAction& action)
{
    if (!m_script.next(m_line)) {
        m_script.failAtEnd(waiting + " and is cancelled");
        return false;
    }
    std::string error;
    if (!KvUiParseAction(m_line.text, action, error)) {
        m_script.fail(m_line, error + "; " + waiting + " and is cancelled");
        return false;
    }
    return true;
}

bool KvUiScriptDriver::NextAction(CKpUiBaseDialog& dlg, KvUiAction& action)
{
    std::string waiting = kvuiDescribeDialog(dlg) + " waits for an action";
    if (!Take(waiting, action)) return false;
    if (!KvUiIsDialogAction(action.kind)) {
        m_script.fail(m_line, "'" + std::string(KvUiActionVerb(action.kind)) + "' is not an action on a dialog; " +
                                  waiting + " and is cancelled");
        return false;
    }
    // Nobody would read a menu shown to a script.
    if (action.bMenuOnScreen) {
        m_script.fail(m_line, "a script gives the menu choice on the line (" +
                                  std::string(action.kind == KvUiActionKind::CellMenu ? "cellmenu ID ROW COL CHOICE"
                                                                                      : "headermenu ID COL") +
                                  "); " + waiting + " and is cancelled");
        return false;
    }
    return true;
}

bool KvUiScriptDriver::RejectAction(CKpUiBaseDialog& dlg, const KvUiAction&, const std::string& why)
{
    m_script.fail(m_line, why + "; " + kvuiDescribeDialog(dlg) + " is cancelled");
    return true;
}

int KvUiScriptDriver::MessageBox(const KvUiMessageBoxRequest& request)
{
    const int fallback = kvuiDefaultMessageBoxAnswer(request.type);
    std::string waiting = "the message box \"" + kvToUtf8(request.text) + "\" waits for an answer";
    KvUiAction action;
    if (!Take(waiting, action)) return fallback;
    if (action.kind != KvUiActionKind::Answer) {
        m_script.fail(m_line, "'" + std::string(KvUiActionVerb(action.kind)) + "' does not answer a message box; " +
                                  waiting + " and is closed");
        return fallback;
    }
    std::string why = kvuiCheckMessageBoxAnswer(request.type, action.answer);
    if (!why.empty()) {
        m_script.fail(m_line, why + "; it is closed");
        return fallback;
    }
    return action.answer;
}

bool KvUiScriptDriver::FileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer)
{
    const std::string waiting =
        std::string("the file ") + (request.bOpen ? "open" : "save") + " dialog waits for a file";
    // A "no" to the overwrite question asks for another file, as the dialog would.
    while (true) {
        KvUiAction action;
        if (!Take(waiting, action)) return false;
        if (action.kind != KvUiActionKind::File) {
            m_script.fail(m_line, "'" + std::string(KvUiActionVerb(action.kind)) + "' does not answer a file dialog; " +
                                      waiting + " and is cancelled");
            return false;
        }
        if (action.bCancel) return false;
        answer.path = action.text;
        answer.filterIndex = action.filterIndex ? action.filterIndex : request.initialFilter;
        const std::string why = kvuiCheckFileAnswer(request, answer);
        if (!why.empty()) {
            m_script.fail(m_line, why + "; the file dialog is cancelled");
            return false;
        }
        const std::u16string question = kvuiOverwriteQuestion(request, answer);
        if (question.empty()) return true;
        const std::string asking = "the question \"" + kvToUtf8(question) + "\" waits for an answer";
        if (!Take(asking, action)) return false;
        if (action.kind != KvUiActionKind::Answer || (action.answer != IDYES && action.answer != IDNO)) {
            m_script.fail(m_line, "the question \"" + kvToUtf8(question) +
                                      "\" is answered with 'answer yes' or 'answer no'; the file dialog is cancelled");
            return false;
        }
        if (action.answer == IDYES) return true;
    }
}

UINT_PTR KvUiScriptDriver::PopupMenu(const CMenu&)
{
    // Menus open only through cellmenu and headermenu lines, which carry their choice.
    return 0;
}
