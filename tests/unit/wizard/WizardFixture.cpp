#include "WizardFixture.h"

#include "resources/UiResources.h"
#include "kvui/CKpUiBaseDialog.h"
#include "kvui/CListCtrl.h"
#include "kvui/CGridListCtrlEx.h"
#include "ui/DlgAssist1.h"
#include "ui/InsertedTable.h"
#include "kvui/KvUiControls.h"

namespace {
// A list item as the user reads it: its check (native box, or the name column's mark).
std::u16string ShownItem(const CListCtrl& list, int iItem)
{
    bool bChecked = false;
    if (list.HasCheckBoxes())
        bChecked = list.GetCheck(iItem) != FALSE;
    else
        bChecked = list.GetItemImage(iItem, 1) == 1;
    return (bChecked ? u"[x] " : u"[ ] ") + list.GetShownName(iItem);
}
}  // namespace

bool RecordingDriver::NextAction(CKpUiBaseDialog& dlg, KvUiAction& action)
{
    DialogSnapshot snap;
    snap.idTemplate = dlg.GetTemplateId();
    for (CWnd* pControl : dlg.GetControls()) {
        snap.texts[pControl->GetDlgCtrlID()] = pControl->GetWindowText();
        if (auto* pList = dynamic_cast<CListCtrl*>(pControl)) {
            auto& items = snap.lists[pList->GetDlgCtrlID()];
            for (int i = 0; i < pList->GetItemCount(); ++i) items.push_back(ShownItem(*pList, i));
            auto& shown = snap.columnsShown[pList->GetDlgCtrlID()];
            for (int c = 0; c < pList->GetColumnCount(); ++c) shown.push_back(pList->IsColumnShown(c));
        } else if (auto* pButton = dynamic_cast<CButton*>(pControl)) {
            if (pButton->IsCheckBox() || pButton->IsRadioButton())
                snap.checks[pButton->GetDlgCtrlID()] = pButton->GetCheck();
        }
    }
    snapshots.push_back(snap);
    return KvUiScriptDriver::NextAction(dlg, action);
}

int RecordingDriver::MessageBox(const KvUiMessageBoxRequest& request)
{
    messages.push_back(request.text);
    return KvUiScriptDriver::MessageBox(request);
}

void WizardTest::SetUp()
{
    DrawingFixture::SetUp();
    kvDocManagerPtr()->curDocument()->setFileName(u"/drawings/office.dxf");
    kvuiAddResourceModule(&DataExtractionUiResources());
    kvedSetInputProvider(&m_input);
    LastInsertedTable() = KvDbObjectId();
}

void WizardTest::TearDown()
{
    kvuiSetDriver(nullptr);
    kvuiRemoveResourceModule(&DataExtractionUiResources());
    DrawingFixture::TearDown();
}

bool WizardTest::Run(const std::string& csScript)
{
    m_script = KvScript();
    m_script.load("test.ui", csScript);
    m_pDriver = std::make_unique<RecordingDriver>(m_script);
    kvuiSetDriver(m_pDriver.get());
    DlgAssist1 dlg(kpsw_kvmoMainWnd());
    dlg.DoModal();
    kvuiSetDriver(nullptr);
    return !m_script.failed() && m_script.atEnd();
}

KvDbObjectId WizardTest::AddLine(double x0, double y0, double x1, double y1, const std::u16string& csLayer)
{
    auto* pLine = new KvDbLine(KvGePoint3d(x0, y0, 0), KvGePoint3d(x1, y1, 0));
    pLine->setLayer(csLayer);
    return Add(pLine);
}

KvDbObjectId WizardTest::AddBlockReference(const std::u16string& csBlock, double x, double y)
{
    auto* pReference = new KvDbBlockReference;
    pReference->setBlockTableRecord(BlockDefinition(Db(), csBlock));
    pReference->setPosition(KvGePoint3d(x, y, 0));
    return Add(pReference);
}

std::vector<KvDbObjectId> WizardTest::Tables()
{
    std::vector<KvDbObjectId> ids;
    resbuf* pFilter = kvutBuildList(RTDXF0, u"ACAD_TABLE", RTNONE_LIST_END);
    kv_name ss = {0, 0};
    if (kvedSSGet(u"A", nullptr, nullptr, pFilter, ss) == RTNORM) {
        std::int32_t n = 0;
        kvedSSLength(ss, &n);
        for (std::int32_t i = 0; i < n; ++i) {
            kv_name en = {0, 0};
            KvDbObjectId id;
            if (kvedSSName(ss, i, en) == RTNORM && kvdbGetObjectId(id, en) == Kvmo::eOk) ids.push_back(id);
        }
    }
    kvedSSFree(ss);
    kvutRelRb(pFilter);
    return ids;
}

std::vector<DialogSnapshot> WizardTest::Visits(unsigned int idTemplate) const
{
    std::vector<DialogSnapshot> visits;
    for (const auto& snap : m_pDriver->snapshots)
        if (snap.idTemplate == idTemplate) visits.push_back(snap);
    return visits;
}

std::vector<unsigned int> WizardTest::DialogSequence() const
{
    std::vector<unsigned int> ids;
    for (const auto& snap : m_pDriver->snapshots) ids.push_back(snap.idTemplate);
    return ids;
}
