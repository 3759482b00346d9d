#include "ui/DlgUpdateA1.h"

#include "drawing/UpdateModes.h"
#include "host/ResString.h"
#include "kv/KvStatus.h"
#include "ui/DialogEditorInteraction.h"
#include "ui/PageTexts.h"

namespace {
constexpr int kCtrlGroup = 1048;
constexpr int kCtrlFirstMode = 1051;
constexpr int kCtrlFirstCaption = 1055;
constexpr unsigned int kIdTitle = 250;
constexpr unsigned int kIdGroup = 245;
constexpr unsigned int kIdFirstCaption = 246;
constexpr unsigned int kIdNoTable = 251;
}  // namespace

DlgUpdateA1::DlgUpdateA1(CWnd* pParent) : CKvUiDialog(IDD, pParent)
{
    MapCommand(kCtrlFirstMode, BN_CLICKED, [this] { RunMode(&UpdateSelectedTable); });
    MapCommand(kCtrlFirstMode + 1, BN_CLICKED, [this] { RunMode(&AddObjectsToTable); });
    MapCommand(kCtrlFirstMode + 2, BN_CLICKED, [this] { RunMode(&ReplaceTableSelection); });
    MapCommand(kCtrlFirstMode + 3, BN_CLICKED, [this] { RunMode(&UpdateExportation); });
    MapCommand(IDOK, BN_CLICKED, [this] { OnFinish(); });
}

BOOL DlgUpdateA1::OnInitDialog()
{
    SetPageTexts(*this, kIdTitle, {{kCtrlGroup, kIdGroup}, {IDOK, kIdFinish}, {IDCANCEL, kIdCancel}});
    for (int i = 0; i < 4; ++i)
        SetDlgItemText(kCtrlFirstCaption + i, LoadResString(kIdFirstCaption + static_cast<unsigned int>(i)));
    m_state = UpdateDialogState{};
    return TRUE;
}

void DlgUpdateA1::RunMode(UpdateMode mode)
{
    DialogEditorInteraction ui(*this);
    SelectTable(m_state, ui);
    OnOK();
    // A mode finds no table after a cancelled pick and leaves the drawing alone.
    mode(m_state, ui);
}

void DlgUpdateA1::OnFinish()
{
    if (m_state.bTableSelected) {
        OnOK();
        return;
    }
    MessageBox(LoadResString(kIdNoTable), u"", MB_OK | MB_ICONINFORMATION);
}
