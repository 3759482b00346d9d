#include "ui/DlgAssist2.h"

#include "engine/ExtractionEngine.h"
#include "engine/PropertyCatalog.h"
#include "host/ResString.h"
#include "host/SelectionSet.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvRx.h"
#include "kv/KvStatus.h"
#include "kvui/CListCtrl.h"
#include "ui/DlgAssist1.h"
#include "ui/DlgAssist3.h"
#include "ui/PageTexts.h"

namespace {
constexpr int kCtrlSourceGroup = 1035;
constexpr int kCtrlPickCaption = 1036;
constexpr int kCtrlPick = 1002;
constexpr int kCtrlCurrentDrawing = 1037;
constexpr int kCtrlFileCaption = 1051;
constexpr int kCtrlFileList = 1011;
constexpr int kIconDrawingFile = 133;
constexpr unsigned int kIdNoSourceText = 186;
constexpr unsigned int kIdNoSourceCaption = 187;
}  // namespace

DlgAssist2::DlgAssist2(CWnd* pParent) : CKvUiDialog(IDD, pParent)
{
    MapCommand(kCtrlPick, BN_CLICKED, [this] { OnPick(); });
    MapCommand(IDOK, BN_CLICKED, [this] { OnNext(); });
    MapCommand(kCtrlPrevious, BN_CLICKED, [this] { OnPrevious(); });
}

BOOL DlgAssist2::OnInitDialog()
{
    SetPageTexts(*this, 141,
                 {{kCtrlSourceGroup, 142},
                  {kCtrlPickCaption, 145},
                  {kCtrlCurrentDrawing, 146},
                  {kCtrlFileCaption, 147},
                  {kCtrlPrevious, kIdPrevious},
                  {IDOK, kIdNext},
                  {IDCANCEL, kIdCancel}});
    CheckDlgButton(kCtrlCurrentDrawing, BST_CHECKED);
    if (auto* pFiles = GetDlgItemAs<CListCtrl>(kCtrlFileList)) {
        if (!m_imageList.IsCreated()) {
            m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
            m_imageList.Add(kvuiLoadIcon(kIconDrawingFile));
        }
        pFiles->SetImageList(&m_imageList, LVSIL_SMALL);
        const KvApDocument* pDoc = kvDocManagerPtr() ? kvDocManagerPtr()->curDocument() : nullptr;
        pFiles->InsertItem(0, pDoc ? pDoc->fileName() : std::u16string(), 0);
    }
    return TRUE;
}

void DlgAssist2::OnPick()
{
    BeginEditorCommand();
    SelectionSet picked;
    if (picked.Get(nullptr)) {
        CompleteEditorCommand(true);
        HandOver(picked);
        return;
    }
    CancelEditorCommand();
}

void DlgAssist2::OnNext()
{
    if (IsDlgButtonChecked(kCtrlCurrentDrawing) != BST_CHECKED) {
        MessageBox(LoadResString(kIdNoSourceText), LoadResString(kIdNoSourceCaption), MB_OK);
        return;
    }
    SelectionSet all;
    if (all.Get(u"A")) HandOver(all);
}

void DlgAssist2::OnPrevious()
{
    OnCancel();
    DlgAssist1 previous(kpsw_kvmoMainWnd());
    previous.lsSettingsProps = lsSettingsProps;
    previous.DoModal();
}

void DlgAssist2::HandOver(SelectionSet& selection)
{
    OnOK();
    DlgAssist3 next(kpsw_kvmoMainWnd());
    const PropertyCatalog myStrHelper;
    const ExtractionEngine extEngine(selection.Name(), selection.Count(), myStrHelper);
    next.extEngine = extEngine;
    next.seKinds = extEngine.KindsPresent();
    next.lsSettingsProps = lsSettingsProps;
    selection.Free();
    next.DoModal();
}
