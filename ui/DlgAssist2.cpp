#include "ui/DlgAssist2.h"

#include "engine/ExtractionEngine.h"
#include "engine/PropertyCatalog.h"
#include "host/ResString.h"
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

// A selection that holds at least one object.
bool HasObjects(int iStatus, const kv_name ss, std::int32_t& nCount)
{
    nCount = 0;
    return iStatus == RTNORM && kvedSSLength(ss, &nCount) == RTNORM && nCount > 0;
}
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
    kv_name ss = {0, 0};
    std::int32_t nCount = 0;
    if (HasObjects(kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss), ss, nCount)) {
        CompleteEditorCommand(true);
        HandOver(ss, nCount);
        return;
    }
    CancelEditorCommand();
    kvedSSFree(ss);
}

void DlgAssist2::OnNext()
{
    if (IsDlgButtonChecked(kCtrlCurrentDrawing) != BST_CHECKED) {
        MessageBox(LoadResString(kIdNoSourceText), LoadResString(kIdNoSourceCaption), MB_OK);
        return;
    }
    kv_name ss = {0, 0};
    std::int32_t nCount = 0;
    if (HasObjects(kvedSSGet(u"A", nullptr, nullptr, nullptr, ss), ss, nCount)) {
        HandOver(ss, nCount);
        return;
    }
    kvedSSFree(ss);
}

void DlgAssist2::OnPrevious()
{
    OnCancel();
    DlgAssist1 previous(kpsw_kvmoMainWnd());
    previous.lsSettingsProps = lsSettingsProps;
    previous.DoModal();
}

void DlgAssist2::HandOver(const kv_name ss, std::int32_t nCount)
{
    OnOK();
    DlgAssist3 next(kpsw_kvmoMainWnd());
    const PropertyCatalog myStrHelper;
    const ExtractionEngine extEngine(ss, nCount, myStrHelper);
    next.extEngine = extEngine;
    next.seKinds = extEngine.KindsPresent();
    next.lsSettingsProps = lsSettingsProps;
    kvedSSFree(ss);
    next.DoModal();
}
