#include "kvui/KvUiTerminalDriver.h"

#include <algorithm>
#include <iostream>
#include <sstream>

#include "kv/KvString.h"
#include "kvui/CGridListCtrlEx.h"
#include "kvui/CKpUiBaseDialog.h"
#include "kvui/CListCtrl.h"
#include "kvui/KvUiControls.h"
#include "kvui/KvUiMessageBox.h"

namespace {
std::string utf8(const std::u16string& text)
{
    return kvToUtf8(text);
}

std::string pad(std::string text, std::size_t width)
{
    // Width in characters, not bytes: UTF-8 continuation bytes take no room.
    std::size_t shown = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    if (shown < width) text.append(width - shown, ' ');
    return text;
}

std::size_t shownWidth(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string trim(const std::string& s)
{
    std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// Lists can hold many thousands of rows: a dialog shows a page of them, rows ID FROM the others.
constexpr int kPageRows = 40;

void showList(std::ostream& out, const CListCtrl& list, int first = 0)
{
    const auto* grid = dynamic_cast<const CGridListCtrlEx*>(&list);
    std::vector<int> columns;
    if (list.IsReportView()) {
        for (int col : list.GetColumnOrder())
            if (list.IsColumnShown(col)) columns.push_back(col);
    } else {
        columns.push_back(0);
    }
    const bool checks = list.HasCheckBoxes();
    const int count = list.GetItemCount();
    const int last = std::min(count, first + kPageRows);

    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header{"row"};
    if (checks) header.push_back("chk");
    for (int col : columns) {
        std::string title = "[" + std::to_string(col) + "]";
        if (list.IsReportView()) {
            title += " " + utf8(list.GetColumnTitle(col));
            if (grid && grid->GetSortColumn() == col) title += grid->IsSortAscending() ? " ^" : " v";
        }
        header.push_back(title);
    }
    rows.push_back(header);
    for (int item = first; item < last; ++item) {
        std::vector<std::string> row{std::to_string(item)};
        if (checks) row.push_back(list.GetCheck(item) ? "[x]" : "[ ]");
        for (int col : columns) row.push_back(utf8(list.GetCellDisplayText(item, col)));
        rows.push_back(row);
    }
    std::vector<std::size_t> widths(header.size(), 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], shownWidth(row[i]));
    for (const auto& row : rows) {
        out << "         ";
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? " | " : "") << (i + 1 < row.size() ? pad(row[i], widths[i]) : row[i]);
        out << "\n";
    }
    if (count == 0) {
        std::string empty = utf8(list.GetEmptyMarkupText());
        out << "         " << (empty.empty() ? "(no items)" : empty) << "\n";
    } else if (first > 0 || last < count) {
        const std::string id = std::to_string(list.GetDlgCtrlID());
        out << "         rows " << first << " to " << last - 1 << " of " << count;
        if (last < count) out << "; " << count - last << " more: rows " << id << " " << last;
        if (first > 0) out << "; back to the top: rows " << id << " 0";
        out << "\n";
    }
}

void showControl(std::ostream& out, const CWnd& control)
{
    std::string id = "[" + std::to_string(control.GetDlgCtrlID()) + "]";
    std::string text = utf8(control.GetWindowText());
    std::string state = control.IsWindowEnabled() ? "" : " (disabled)";
    out << "  " << pad(id, 7) << " ";
    switch (control.GetKind()) {
    case KvUiControlKind::Label: out << "label      " << text; break;
    case KvUiControlKind::Picture: {
        const auto* picture = dynamic_cast<const CStatic*>(&control);
        HBITMAP bitmap = picture ? picture->GetBitmap() : nullptr;
        out << "picture    ";
        if (bitmap)
            out << "(" << bitmap->width << " x " << bitmap->height << " bitmap)";
        else
            out << "(empty)";
        break;
    }
    case KvUiControlKind::GroupBox: out << "group      " << text; break;
    case KvUiControlKind::PushButton: {
        const auto* button = dynamic_cast<const CButton*>(&control);
        out << "button     " << text;
        if (button && button->GetIcon()) out << " (icon)";
        if (button && button->IsDefault()) out << " (default)";
        break;
    }
    case KvUiControlKind::CheckBox: {
        const auto* button = dynamic_cast<const CButton*>(&control);
        out << "check box  " << (button && button->GetCheck() ? "[x] " : "[ ] ") << text;
        break;
    }
    case KvUiControlKind::RadioButton: {
        const auto* button = dynamic_cast<const CButton*>(&control);
        out << "radio      " << (button && button->GetCheck() ? "(*) " : "( ) ") << text;
        break;
    }
    case KvUiControlKind::Edit: out << "edit       \"" << text << "\""; break;
    case KvUiControlKind::ComboBox: {
        const auto* combo = dynamic_cast<const CComboBox*>(&control);
        out << "drop-down  ";
        if (combo) {
            out << "\"" << utf8(combo->GetLBText(combo->GetCurSel())) << "\" of:";
            for (int i = 0; i < combo->GetCount(); ++i) out << (i ? " |" : "") << " " << utf8(combo->GetLBText(i));
            if (combo->GetCount() == 0) out << " (no entries)";
        }
        break;
    }
    case KvUiControlKind::ListView: {
        const auto* list = dynamic_cast<const CListCtrl*>(&control);
        out << "list       " << (list && list->IsReportView() ? "(report)" : "(list)") << state << "\n";
        if (list) showList(out, *list);
        return;
    }
    }
    out << state << "\n";
}
}  // namespace

void KvUiTerminalDriver::Show(const CKpUiBaseDialog& dlg)
{
    m_out << "\n=== " << utf8(dlg.GetWindowText()) << "  (dialog " << dlg.GetTemplateId() << ") ===\n";
    for (const CWnd* control : dlg.GetControls())
        if (control->IsWindowVisible()) showControl(m_out, *control);
}

void KvUiTerminalDriver::ShowHelp()
{
    m_out << "actions: click ID | check ID on|off | select ID TEXT | item ID TEXT on|off | total ID TEXT on|off\n"
             "         cellmenu ID ROW COL [CHOICE] | headermenu ID [COL] | sort ID COL | movecol ID FROM TO\n"
             "         (a menu opened without its choice is listed and asks for it)\n"
             "         rows ID FROM (list rows from FROM on) | show (the dialog again) | help\n";
}

bool KvUiTerminalDriver::ReadLine(const char* prompt, std::string& line, bool bEmptyAnswers)
{
    while (true) {
        m_out << prompt << std::flush;
        std::string raw;
        if (!std::getline(m_in, raw)) {
            m_out << "\n";
            return false;
        }
        line = trim(raw);
        if (line.empty() ? bEmptyAnswers : line[0] != '#') return true;
    }
}

bool KvUiTerminalDriver::ShowRows(const CKpUiBaseDialog& dlg, const std::string& line)
{
    std::istringstream words(line.substr(4));
    int id = 0, first = 0;
    std::string extra;
    if (!(words >> id >> first) || (words >> extra)) {
        m_out << "  rows ID FROM: the list's id and the first row to show\n";
        return false;
    }
    const auto* list = dlg.GetDlgItemAs<CListCtrl>(id);
    if (list == nullptr || !list->IsWindowVisible()) {
        m_out << "  dialog " << dlg.GetTemplateId() << " shows no list " << id << "\n";
        return false;
    }
    if (first < 0 || (first >= list->GetItemCount() && first > 0)) {
        m_out << "  list " << id << " has rows 0 to " << list->GetItemCount() - 1 << "\n";
        return false;
    }
    m_out << "  [" << id << "] rows from " << first << "\n";
    showList(m_out, *list, first);
    return true;
}

bool KvUiTerminalDriver::NextAction(CKpUiBaseDialog& dlg, KvUiAction& action)
{
    if (m_bMenuAsked && !m_bMenuShown) m_out << "  no menu opens there\n";
    m_bMenuAsked = m_bMenuShown = false;
    Show(dlg);
    std::string line;
    while (ReadLine("dialog> ", line)) {
        if (line == "help" || line == "?") {
            ShowHelp();
            continue;
        }
        if (line == "show") {
            Show(dlg);
            continue;
        }
        if (line == "rows" || line.starts_with("rows ")) {
            ShowRows(dlg, line);
            continue;
        }
        std::string error;
        if (!KvUiParseAction(line, action, error)) {
            m_out << "  " << error << " (type help for the actions)\n";
            continue;
        }
        if (!KvUiIsDialogAction(action.kind)) {
            m_out << "  '" << KvUiActionVerb(action.kind) << "' is not an action on a dialog (type help)\n";
            continue;
        }
        m_bMenuAsked = action.bMenuOnScreen;
        return true;
    }
    m_out << "  end of input: " << kvToUtf8(dlg.GetWindowText()) << " is cancelled\n";
    return false;
}

bool KvUiTerminalDriver::RejectAction(CKpUiBaseDialog&, const KvUiAction&, const std::string& why)
{
    m_out << "  cannot do that: " << why << "\n";
    return false;
}

int KvUiTerminalDriver::MessageBox(const KvUiMessageBoxRequest& request)
{
    const UINT kind = request.type & MB_TYPEMASK;
    const UINT icon = request.type & MB_ICONMASK;
    const char* iconName = icon == MB_ICONQUESTION      ? "(?) "
                           : icon == MB_ICONWARNING     ? "(!) "
                           : icon == MB_ICONINFORMATION ? "(i) "
                           : icon == MB_ICONERROR       ? "(x) "
                                                        : "";
    m_out << "\n--- " << utf8(request.caption) << " ---\n" << iconName << utf8(request.text) << "\n";
    const char* prompt = kind == MB_YESNO ? "yes/no> " : "ok> ";
    std::string line;
    while (ReadLine(prompt, line)) {
        KvUiAction action;
        std::string error;
        if (!line.starts_with("answer ")) line = "answer " + line;
        if (!KvUiParseAction(line, action, error)) {
            m_out << "  " << error << "\n";
            continue;
        }
        std::string why = kvuiCheckMessageBoxAnswer(request.type, action.answer);
        if (!why.empty()) {
            m_out << "  " << why << "\n";
            continue;
        }
        return action.answer;
    }
    return kvuiDefaultMessageBoxAnswer(request.type);
}

bool KvUiTerminalDriver::FileDialog(const KvUiFileRequest& request, KvUiFileAnswer& answer)
{
    m_out << "\n--- " << (request.bOpen ? "Open" : "Save as") << " ---\n";
    for (std::size_t i = 0; i < request.filters.size(); ++i)
        m_out << "  file type " << i + 1 << ": " << utf8(request.filters[i].description) << "\n";
    m_out << "  file name: " << utf8(request.initialName) << "\n"
          << "  type a path, optionally followed by the file type number, or cancel\n";
    std::string line;
    while (ReadLine("file> ", line)) {
        if (!line.starts_with("file ")) line = "file " + line;
        KvUiAction action;
        std::string error;
        if (!KvUiParseAction(line, action, error)) {
            m_out << "  " << error << "\n";
            continue;
        }
        if (action.bCancel) return false;
        answer.path = action.text;
        answer.filterIndex = action.filterIndex ? action.filterIndex : request.initialFilter;
        std::string why = kvuiCheckFileAnswer(request, answer);
        if (!why.empty()) {
            m_out << "  " << why << "\n";
            continue;
        }
        const std::u16string question = kvuiOverwriteQuestion(request, answer);
        if (question.empty() || MessageBox({question, u"Confirm Save As", MB_YESNO | MB_ICONWARNING}) == IDYES)
            return true;
        m_out << "  type another path, or cancel\n";
    }
    return false;
}

UINT_PTR KvUiTerminalDriver::PopupMenu(const CMenu& menu)
{
    m_bMenuShown = true;
    m_out << "\n--- menu ---\n";
    for (const auto& item : menu.GetItems()) {
        if (item.flags & MF_SEPARATOR) continue;
        m_out << "  " << item.key << ": " << utf8(item.text) << ((item.flags & MF_CHECKED) ? " (checked)" : "")
              << ((item.flags & (MF_GRAYED | MF_DISABLED)) ? " (unavailable)" : "") << "\n";
    }
    m_out << "  0: none\n"
          << "  type the number of an item; 0 or an empty line closes the menu\n";
    std::string line;
    while (ReadLine("menu> ", line, true)) {
        if (line.empty()) return 0;
        int key = 0;
        try {
            key = std::stoi(line);
        } catch (...) {
            m_out << "  type the number of an item\n";
            continue;
        }
        if (key == 0) return 0;
        if (const CMenu::Item* item = menu.FindEnabledByKey(key)) return item->id;
        const auto& items = menu.GetItems();
        const bool bListed = std::any_of(items.begin(), items.end(), [&](const CMenu::Item& item) {
            return item.key == key && !(item.flags & MF_SEPARATOR);
        });
        m_out << "  "
              << (bListed ? "item " + std::to_string(key) + " is unavailable" : "no item " + std::to_string(key))
              << "\n";
    }
    return 0;
}
