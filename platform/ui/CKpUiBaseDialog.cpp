#include "kvui/CKpUiBaseDialog.h"

#include <algorithm>
#include <iostream>

#include "kv/KvString.h"
#include "kvui/CGridListCtrlEx.h"
#include "kvui/CListCtrl.h"
#include "kvui/KvUiControls.h"
#include "kvui/KvUiDriver.h"

namespace {
std::vector<CKpUiBaseDialog*>& running()
{
    static std::vector<CKpUiBaseDialog*> dialogs;
    return dialogs;
}

std::unique_ptr<CWnd> makeDefaultControl(KvUiControlKind kind)
{
    switch (kind) {
    case KvUiControlKind::Label:
    case KvUiControlKind::Picture: return std::make_unique<CStatic>();
    case KvUiControlKind::PushButton:
    case KvUiControlKind::CheckBox:
    case KvUiControlKind::RadioButton:
    case KvUiControlKind::GroupBox: return std::make_unique<CButton>();
    case KvUiControlKind::Edit: return std::make_unique<CEdit>();
    case KvUiControlKind::ComboBox: return std::make_unique<CComboBox>();
    case KvUiControlKind::ListView: return std::make_unique<CListCtrl>();
    }
    return std::make_unique<CStatic>();
}

const char* kindName(KvUiControlKind kind)
{
    switch (kind) {
    case KvUiControlKind::Label: return "a label";
    case KvUiControlKind::Picture: return "a picture";
    case KvUiControlKind::PushButton: return "a push button";
    case KvUiControlKind::CheckBox: return "a check box";
    case KvUiControlKind::RadioButton: return "a radio button";
    case KvUiControlKind::GroupBox: return "a group box";
    case KvUiControlKind::Edit: return "an edit field";
    case KvUiControlKind::ComboBox: return "a drop-down list";
    case KvUiControlKind::ListView: return "a list";
    }
    return "a control";
}

// Removes the dialog from the running list however its run ends.
struct RunningGuard {
    CKpUiBaseDialog* dialog;
    ~RunningGuard()
    {
        auto& dialogs = running();
        dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
    }
};
}  // namespace

CKpUiBaseDialog::CKpUiBaseDialog(UINT nIDTemplate, CWnd* pParent) : m_nIDTemplate(nIDTemplate), m_pOwner(pParent) {}

CKpUiBaseDialog::~CKpUiBaseDialog()
{
    DestroyControls();
}

const std::vector<CKpUiBaseDialog*>& CKpUiBaseDialog::RunningDialogs()
{
    return running();
}

INT_PTR CKpUiBaseDialog::DoModal()
{
    const KvUiDialogTemplate* tmpl = kvuiFindDialogTemplate(static_cast<int>(m_nIDTemplate));
    if (!tmpl) {
        std::cerr << "ui: no dialog template " << m_nIDTemplate << "\n";
        return -1;
    }
    if (m_bRunning) return -1;
    m_pTemplate = tmpl;
    m_bindings.clear();
    DoDataExchange();
    CreateControls(*tmpl);
    m_nID = 0;
    m_strText = tmpl->title;
    m_dwStyle = tmpl->style | WS_VISIBLE;
    m_bCreated = true;
    m_bVisible = true;
    m_bEnded = false;
    m_nResult = IDCANCEL;
    m_bRunning = true;
    running().push_back(this);
    {
        RunningGuard guard{this};
        struct StopGuard {
            CKpUiBaseDialog* dialog;
            ~StopGuard()
            {
                dialog->m_bRunning = false;
                dialog->m_bVisible = false;
                if (KvUiDriver* driver = kvuiDriver()) driver->DialogClosed(*dialog);
                dialog->DestroyControls();
            }
        } stop{this};

        OnInitDialog();
        while (!m_bEnded) {
            KvUiDriver* driver = kvuiDriver();
            if (!driver) {
                std::cerr << "ui: no user interface to run dialog " << m_nIDTemplate << "\n";
                CancelForDriver();
                break;
            }
            KvUiAction action;
            if (!driver->NextAction(*this, action)) {
                CancelForDriver();
                continue;
            }
            std::string why = Dispatch(action);
            if (!why.empty() && driver->RejectAction(*this, action, why)) CancelForDriver();
        }
    }
    return m_nResult;
}

void CKpUiBaseDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    m_bEnded = true;
    m_bVisible = false;  // the window goes at once; the object and its controls stay until DoModal returns
}

void CKpUiBaseDialog::CancelForDriver()
{
    OnCancel();
    if (!m_bEnded) EndDialog(IDCANCEL);
}

void CKpUiBaseDialog::DDX_Control(int nID, CWnd& control)
{
    m_bindings[nID] = &control;
}

void CKpUiBaseDialog::CreateControls(const KvUiDialogTemplate& tmpl)
{
    DestroyControls();
    for (const auto& ctl : tmpl.controls) {
        CWnd* control = nullptr;
        auto bound = m_bindings.find(ctl.id);
        if (bound != m_bindings.end() && bound->second->AcceptsKind(ctl.kind)) {
            control = bound->second;
        } else {
            if (bound != m_bindings.end())
                std::cerr << "ui: control " << ctl.id << " of dialog " << tmpl.id << " is " << kindName(ctl.kind)
                          << " and cannot be bound to the object given\n";
            m_ownedControls.push_back(makeDefaultControl(ctl.kind));
            control = m_ownedControls.back().get();
        }
        control->CreateFromTemplate(ctl, this);
        m_controls.emplace_back(ctl.id, control);
    }
    for (const auto& [id, control] : m_bindings)
        if (!tmpl.control(id)) std::cerr << "ui: dialog " << tmpl.id << " has no control " << id << " to bind\n";
}

void CKpUiBaseDialog::DestroyControls()
{
    for (auto& [id, control] : m_controls) control->DestroyWindow();
    m_controls.clear();
    m_ownedControls.clear();
}

CWnd* CKpUiBaseDialog::GetDlgItem(int nID) const
{
    for (const auto& [id, control] : m_controls)
        if (id == nID) return control;
    return nullptr;
}

std::vector<CWnd*> CKpUiBaseDialog::GetControls() const
{
    std::vector<CWnd*> controls;
    for (const auto& [id, control] : m_controls) controls.push_back(control);
    return controls;
}

void CKpUiBaseDialog::SetDlgItemText(int nID, const std::u16string& text)
{
    if (CWnd* control = GetDlgItem(nID)) control->SetWindowText(text);
}

std::u16string CKpUiBaseDialog::GetDlgItemText(int nID) const
{
    CWnd* control = GetDlgItem(nID);
    return control ? control->GetWindowText() : std::u16string();
}

void CKpUiBaseDialog::CheckDlgButton(int nID, UINT nCheck)
{
    if (auto* button = GetDlgItemAs<CButton>(nID)) button->SetCheck(static_cast<int>(nCheck));
}

UINT CKpUiBaseDialog::IsDlgButtonChecked(int nID) const
{
    auto* button = GetDlgItemAs<CButton>(nID);
    return button ? static_cast<UINT>(button->GetCheck()) : 0;
}

void CKpUiBaseDialog::CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck)
{
    for (int id = nIDFirst; id <= nIDLast; ++id)
        if (auto* button = GetDlgItemAs<CButton>(id))
            if (button->IsRadioButton()) button->SetCheck(id == nIDCheck ? BST_CHECKED : BST_UNCHECKED);
}

std::vector<CButton*> CKpUiBaseDialog::GetRadioGroup(int nID) const
{
    // A group runs from a control with WS_GROUP up to the next one, in template order.
    std::vector<CButton*> group;
    bool found = false;
    for (const auto& [id, control] : m_controls) {
        if ((control->GetStyle() & WS_GROUP) && !group.empty() && found) break;
        if (control->GetStyle() & WS_GROUP) group.clear();
        auto* button = dynamic_cast<CButton*>(control);
        if (button && button->IsRadioButton()) group.push_back(button);
        if (id == nID) found = true;
    }
    return found ? group : std::vector<CButton*>{};
}

void CKpUiBaseDialog::MapCommand(int nID, UINT nCode, CommandHandler handler)
{
    m_commandMap[{nID, nCode}] = std::move(handler);
}

void CKpUiBaseDialog::MapNotify(int nID, UINT nCode, NotifyHandler handler)
{
    m_notifyMap[{nID, nCode}] = std::move(handler);
}

BOOL CKpUiBaseDialog::OnCommand(int nID, UINT nCode)
{
    auto handler = m_commandMap.find({nID, nCode});
    if (handler != m_commandMap.end()) {
        CommandHandler run = handler->second;  // the handler may remap itself
        run();
        return TRUE;
    }
    if (nCode == BN_CLICKED && nID == IDOK) {
        OnOK();
        return TRUE;
    }
    if (nCode == BN_CLICKED && nID == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

LRESULT CKpUiBaseDialog::OnNotify(NMHDR& hdr)
{
    auto handler = m_notifyMap.find({static_cast<int>(hdr.idFrom), hdr.code});
    if (handler == m_notifyMap.end()) return 0;
    NotifyHandler run = handler->second;
    return run(hdr);
}

std::string CKpUiBaseDialog::Dispatch(const KvUiAction& action)
{
    if (!KvUiIsDialogAction(action.kind))
        return std::string("'") + KvUiActionVerb(action.kind) + "' is not an action on a dialog";
    CWnd* control = GetDlgItem(action.id);
    if (!control) return "dialog " + std::to_string(m_nIDTemplate) + " has no control " + std::to_string(action.id);
    if (!control->IsWindowVisible()) return "control " + std::to_string(action.id) + " is hidden";
    if (!control->IsWindowEnabled()) return "control " + std::to_string(action.id) + " is disabled";
    return DispatchToControl(action);
}

std::string CKpUiBaseDialog::DispatchToControl(const KvUiAction& action)
{
    CWnd* control = GetDlgItem(action.id);
    std::string id = std::to_string(action.id);
    auto notA = [&](const char* wanted) {
        return "control " + id + " is " + kindName(control->GetKind()) + ", not " + wanted;
    };
    auto* button = dynamic_cast<CButton*>(control);
    auto* list = dynamic_cast<CListCtrl*>(control);

    switch (action.kind) {
    case KvUiActionKind::Click:
        if (!button || control->GetKind() == KvUiControlKind::GroupBox) return notA("a button");
        button->Click();
        return {};
    case KvUiActionKind::Check:
        if (!button || !(button->IsCheckBox() || button->IsRadioButton())) return notA("a check box or radio button");
        if ((button->GetCheck() == BST_CHECKED) == action.bOn) return {};
        if (button->IsRadioButton() && !action.bOn)
            return "radio button " + id + " cannot be cleared by the user: check another button of its group";
        button->Click();
        return {};
    case KvUiActionKind::Select: {
        auto* combo = dynamic_cast<CComboBox*>(control);
        if (!combo) return notA("a drop-down list");
        for (int i = 0; i < combo->GetCount(); ++i)
            if (combo->GetLBText(i) == action.text) {
                combo->Choose(i);
                return {};
            }
        return "drop-down " + id + " has no entry '" + kvToUtf8(action.text) + "'";
    }
    case KvUiActionKind::Item:
    case KvUiActionKind::Total: {
        if (!list) return notA("a list");
        int item = list->FindItemByShownName(action.text);
        if (item < 0) return "list " + id + " has no item '" + kvToUtf8(action.text) + "'";
        if (action.kind == KvUiActionKind::Item) return list->UserSetCheck(item, action.bOn);
        if (list->GetTotalMarkColumn() < 0) return "list " + id + " has no column of total marks";
        return list->UserSetCellMark(item, list->GetTotalMarkColumn(), action.bOn);
    }
    case KvUiActionKind::CellMenu:
    case KvUiActionKind::HeaderMenu: {
        if (!list) return notA("a list");
        KvUiPendingMenuChoice& pending = kvuiPendingMenuChoice();
        pending = KvUiPendingMenuChoice{};
        // Without a choice given, the menu asks the driver when it shows.
        pending.bActive = !action.bMenuOnScreen;
        std::string why;
        if (action.kind == KvUiActionKind::HeaderMenu && action.bMenuOnScreen && action.col >= 0) {
            why = list->UserRightClickHeader(action.col);
        } else if (action.kind == KvUiActionKind::CellMenu) {
            pending.bNone = action.choice == 0;
            pending.key = action.choice;
            why = list->UserRightClickCell(action.row, action.col);
        } else {
            // Any header on screen opens the menu; the column chosen may be a hidden one.
            if (!action.bMenuOnScreen && (action.col < 0 || action.col >= list->GetColumnCount()))
                why = "list " + id + " has no column " + std::to_string(action.col);
            int header = -1;
            for (int col : list->GetColumnOrder())
                if (header < 0 && list->IsColumnShown(col)) header = col;
            if (why.empty() && header < 0) why = "list " + id + " shows no header";
            pending.key = action.col;
            if (why.empty()) why = list->UserRightClickHeader(header);
        }
        if (why.empty()) why = pending.error;
        // The choice belongs to this action only; a menu that did not open ignores it.
        pending = KvUiPendingMenuChoice{};
        return why;
    }
    case KvUiActionKind::Sort:
        if (!list) return notA("a list");
        return list->UserClickHeader(action.col);
    case KvUiActionKind::MoveCol:
        if (!list) return notA("a list");
        return list->UserDragHeader(action.col, action.to);
    default: return std::string("'") + KvUiActionVerb(action.kind) + "' is not an action on a dialog";
    }
}
