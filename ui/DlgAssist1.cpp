#include "ui/DlgAssist1.h"

#include "export/ExtractionSettings.h"
#include "kv/KvConsole.h"
#include "kvui/CFileDialog.h"
#include "ui/DlgAssist2.h"
#include "ui/PageTexts.h"

namespace {
constexpr int kCtrlIntro = 1035;
constexpr int kCtrlNewExtraction = 1004;
constexpr int kCtrlBrowse = 1002;
constexpr int kCtrlSettingsCaption = 1047;
constexpr int kCtrlSettingsPath = 1046;
}  // namespace

DlgAssist1::DlgAssist1(CWnd* pParent) : CKvUiDialog(IDD, pParent)
{
    MapCommand(kCtrlBrowse, BN_CLICKED, [this] { OnBrowse(); });
    MapCommand(IDOK, BN_CLICKED, [this] { OnNext(); });
}

BOOL DlgAssist1::OnInitDialog()
{
    SetPageTexts(*this, 134,
                 {{kCtrlIntro, 135},
                  {kCtrlNewExtraction, 136},
                  {kCtrlSettingsCaption, 137},
                  {kCtrlPrevious, kIdPrevious},
                  {IDOK, kIdNext},
                  {IDCANCEL, kIdCancel}});
    SetDlgItemText(kCtrlSettingsPath, u"");
    CheckDlgButton(kCtrlNewExtraction, BST_CHECKED);
    return TRUE;
}

void DlgAssist1::OnBrowse()
{
    CheckDlgButton(kCtrlNewExtraction, BST_UNCHECKED);
    CFileDialog dlg(TRUE, nullptr, u"*.kvx", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, u"Kvx file (*.kvx)|*.kvx||", this);
    if (dlg.DoModal() != IDOK) return;
    csSettingsPath = dlg.GetPathName();
    SetDlgItemText(kCtrlSettingsPath, csSettingsPath);
    // An unreadable file adds no names; the user is told why.
    SettingsFileProblem problem;
    LoadExtractionSettings(csSettingsPath, lsSettingsProps, &problem);
    const std::u16string csLine = SettingsNotReadLine(csSettingsPath, problem);
    if (!csLine.empty()) kvutPrintf(u"%s", csLine.c_str());
}

void DlgAssist1::OnNext()
{
    if (IsDlgButtonChecked(kCtrlNewExtraction) != BST_CHECKED && csSettingsPath.empty()) {
        OnOK();
        return;
    }
    OnOK();
    DlgAssist2 next(kpsw_kvmoMainWnd());
    next.lsSettingsProps = lsSettingsProps;
    next.DoModal();
}
