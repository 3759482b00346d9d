#include "ui/DlgAssist3.h"

#include "host/ResString.h"
#include "ui/DlgAssist2.h"
#include "ui/DlgAssist4.h"
#include "ui/PageRows.h"
#include "ui/PageTexts.h"

namespace {
constexpr int kCtrlInstruction = 1035;
constexpr int kCtrlGroup = 1038;
constexpr int kCtrlKindList = 1022;
constexpr int kCtrlFilterCaption = 1039;
constexpr int kCtrlFilterList = 1023;
constexpr DWORD_PTR kFilterBlock = 1;
constexpr DWORD_PTR kFilterNonBlock = 2;
constexpr unsigned int kIdNonBlock = 217;
}  // namespace

DlgAssist3::DlgAssist3(CWnd* pParent) : CKvUiDialog(IDD, pParent)
{
    MapCommand(IDOK, BN_CLICKED, [this] { OnNext(); });
    MapCommand(kCtrlPrevious, BN_CLICKED, [this] { OnPrevious(); });
    MapNotify(kCtrlKindList, LVN_ITEMCHANGED, [this](NMHDR& hdr) { return OnKindListChanged(hdr); });
    MapNotify(kCtrlFilterList, LVN_ITEMCHANGED, [this](NMHDR& hdr) { return OnFilterListChanged(hdr); });
}

void DlgAssist3::DoDataExchange()
{
    DDX_Control(kCtrlKindList, m_lstKinds);
}

CListCtrl* DlgAssist3::FilterList() const
{
    return GetDlgItemAs<CListCtrl>(kCtrlFilterList);
}

BOOL DlgAssist3::OnInitDialog()
{
    SetPageTexts(*this, 143,
                 {{kCtrlInstruction, 144},
                  {kCtrlGroup, 148},
                  {kCtrlFilterCaption, 149},
                  {kCtrlPrevious, kIdPrevious},
                  {IDOK, kIdNext},
                  {IDCANCEL, kIdCancel}});
    m_lstKinds.SetExtendedStyle(m_lstKinds.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_lstKinds.SetImageCheckMode(false);
    CListCtrl* pFilters = FilterList();
    if (pFilters) pFilters->SetExtendedStyle(LVS_EX_CHECKBOXES);

    const std::vector<std::u16string>& lsObjNames = extEngine.catalog.lsObjNames;
    if (veKindRows.empty()) {
        veKindRows.push_back({u"Chk", extEngine.catalog.nameItem.name});
        for (const std::uint32_t kind : seKinds)
            if (kind >= 1 && kind <= lsObjNames.size()) veKindRows.push_back({kRowChecked, lsObjNames[kind - 1]});
    }

    m_lstKinds.SetExtendedStyle(m_lstKinds.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    m_lstKinds.InsertColumn(0, u" ", LVCFMT_LEFT, 20);
    m_lstKinds.InsertColumn(1, veKindRows[0].size() > 1 ? veKindRows[0][1] : std::u16string(), LVCFMT_LEFT, 100);

    if (veKindFilterRows.empty()) {
        for (const std::uint32_t kind : seKinds) {
            if (kind == 1) {
                veKindFilterRows.push_back({kRowChecked, lsObjNames.empty() ? std::u16string() : lsObjNames[0]});
            } else {
                veKindFilterRows.push_back({kRowChecked, LoadResString(kIdNonBlock)});
                break;
            }
        }
    }

    // Each filter goes on top of the previous one, so "Non-Block" shows above "Block"; each
    // check fills the kind list through the change handling.
    if (pFilters) {
        const std::u16string csBlock = lsObjNames.empty() ? std::u16string() : lsObjNames[0];
        int iPos = 0;
        for (const TableRow& row : veKindFilterRows) {
            const std::u16string csName = row.size() > 1 ? row[1] : std::u16string();
            iPos = pFilters->InsertItem(iPos, csName);
            if (iPos < 0) {
                iPos = 0;
                continue;
            }
            pFilters->SetItemData(iPos, csName == csBlock ? kFilterBlock : kFilterNonBlock);
            if (IsRowChecked(row)) pFilters->SetCheck(iPos, TRUE);
        }
    }
    return TRUE;
}

PageTable DlgAssist3::FilterSubset(DWORD_PTR iFilter) const
{
    const std::u16string csBlock =
        extEngine.catalog.lsObjNames.empty() ? std::u16string() : extEngine.catalog.lsObjNames[0];
    const std::u16string csHeader =
        !veKindRows.empty() && veKindRows[0].size() > 1 ? veKindRows[0][1] : std::u16string();
    PageTable veSubset;
    for (const TableRow& row : veKindRows) {
        if (row.size() < 2) continue;
        const bool bBlock = row[1] == csBlock;
        if ((iFilter == kFilterBlock && bBlock) || (iFilter == kFilterNonBlock && !bBlock && row[1] != csHeader))
            veSubset.push_back(row);
    }
    return veSubset;
}

LRESULT DlgAssist3::OnKindListChanged(NMHDR& hdr)
{
    const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
    if (const auto bChecked = DetectCheckChange(nm.uOldState, nm.uNewState))
        SetRowCheck(veKindRows, m_lstKinds.GetItemText(nm.iItem, 1), *bChecked, 1);
    return 0;
}

LRESULT DlgAssist3::OnFilterListChanged(NMHDR& hdr)
{
    const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
    const auto bChecked = DetectCheckChange(nm.uOldState, nm.uNewState);
    CListCtrl* pFilters = FilterList();
    if (!bChecked || !pFilters) return 0;
    const PageTable veSubset = FilterSubset(pFilters->GetItemData(nm.iItem));
    if (*bChecked) {
        InsertRowsIntoList(veSubset, m_lstKinds, [this](int iItem, const TableRow& row) {
            m_lstKinds.SetItemText(iItem, 1, row[1]);
            if (IsRowChecked(row)) m_lstKinds.SetCheck(iItem, TRUE);
        });
    } else {
        RemoveRowsFromList(veSubset, m_lstKinds, 1);
    }
    SetRowCheck(veKindFilterRows, pFilters->GetItemText(nm.iItem, 0), *bChecked, 1);
    return 0;
}

void DlgAssist3::OnNext()
{
    OnOK();
    // Kinds hidden by a filter are left out whatever their stored check.
    std::vector<std::u16string> lsObjectsSel;
    for (int i = 0; i < m_lstKinds.GetItemCount(); ++i)
        if (m_lstKinds.GetCheck(i)) lsObjectsSel.push_back(m_lstKinds.GetItemText(i, 1));
    const PropItemSet seHeaders = extEngine.SelectObjectTypes(lsObjectsSel);

    DlgAssist4 next(kpsw_kvmoMainWnd());
    next.seKinds = seKinds;
    next.extEngine = extEngine;
    next.seHeaders = seHeaders;
    next.veKindRows = veKindRows;
    next.veKindFilterRows = veKindFilterRows;
    next.options = TableOptions{};
    next.lsSettingsProps = lsSettingsProps;
    next.DoModal();
}

void DlgAssist3::OnPrevious()
{
    OnCancel();
    DlgAssist2 previous(kpsw_kvmoMainWnd());
    previous.lsSettingsProps = lsSettingsProps;
    previous.DoModal();
}
