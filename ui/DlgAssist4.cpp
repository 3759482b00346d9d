#include "ui/DlgAssist4.h"

#include <cstdlib>
#include <string>

#include "host/ResString.h"
#include "table/BuildTable.h"
#include "table/TotalLine.h"
#include "ui/DlgAssist3.h"
#include "ui/DlgAssist5.h"
#include "kvui/KvUiControls.h"
#include "ui/PageRows.h"
#include "ui/PageTexts.h"

namespace {
constexpr int kCtrlInstruction = 1035;
constexpr int kCtrlGroup = 1040;
constexpr int kCtrlPropertyList = 1025;
constexpr int kCtrlFilterCaption = 1039;
constexpr int kCtrlCategoryList = 1023;
constexpr int kCtrlCombine = 1033;
constexpr int kCtrlCombineBy = 1034;
constexpr int kCtrlQuantities = 1030;
constexpr int kCtrlNames = 1032;
constexpr int kCtrlTotals = 1028;
constexpr int kColProperty = 1;
constexpr int kColDisplayName = 2;
constexpr int kColTotal = 3;
constexpr unsigned int kIdProperty = 214;
constexpr unsigned int kIdDisplayName = 215;
constexpr unsigned int kIdTotal = 216;
// Category names by number 1 to 6.
constexpr unsigned int kIdCategories[] = {218, 219, 220, 221, 222, 304};

std::u16string Decimal(long long value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// Leading decimal digits of a cell, 0 when there are none.
long LeadingNumber(const std::u16string& csText)
{
    long value = 0;
    for (const char16_t c : csText) {
        if (c < u'0' || c > u'9') break;
        value = value * 10 + (c - u'0');
    }
    return value;
}
}  // namespace

DlgAssist4::DlgAssist4(CWnd* pParent) : CKvUiDialog(IDD, pParent)
{
    MapCommand(IDOK, BN_CLICKED, [this] { OnNext(); });
    MapCommand(kCtrlPrevious, BN_CLICKED, [this] { OnPrevious(); });
    MapCommand(kCtrlTotals, BN_CLICKED, [this] { OnDisplayTotals(); });
    MapCommand(kCtrlQuantities, BN_CLICKED, [this] { options.bQtyColumn = !options.bQtyColumn; });
    MapCommand(kCtrlNames, BN_CLICKED, [this] { options.bNamesColumn = !options.bNamesColumn; });
    MapCommand(kCtrlCombine, BN_CLICKED, [this] { OnCombineRows(); });
    MapNotify(kCtrlCategoryList, LVN_ITEMCHANGED, [this](NMHDR& hdr) { return OnCategoryListChanged(hdr); });
    MapNotify(kCtrlPropertyList, LVN_ITEMCHANGED, [this](NMHDR& hdr) { return OnPropertyListChanged(hdr); });
}

void DlgAssist4::DoDataExchange()
{
    DDX_Control(kCtrlPropertyList, m_lstProps);
}

CListCtrl* DlgAssist4::CategoryList() const
{
    return GetDlgItemAs<CListCtrl>(kCtrlCategoryList);
}

BOOL DlgAssist4::OnInitDialog()
{
    SetPageTexts(*this, 150,
                 {{kCtrlInstruction, 151},
                  {kCtrlGroup, 152},
                  {kCtrlFilterCaption, 149},
                  {kCtrlCombine, 154},
                  {kCtrlQuantities, 155},
                  {kCtrlNames, 156},
                  {kCtrlTotals, 157},
                  {kCtrlPrevious, kIdPrevious},
                  {IDOK, kIdNext},
                  {IDCANCEL, kIdCancel}});
    m_lstProps.SetExtendedStyle(m_lstProps.GetExtendedStyle() | LVS_EX_GRIDLINES);
    m_lstProps.SetImageCheckMode(true);
    CListCtrl* pCategories = CategoryList();
    if (pCategories) pCategories->SetExtendedStyle(LVS_EX_CHECKBOXES);

    if (vePropRows.empty()) {
        vePropRows.push_back(
            {u"Chk", u"Categ", LoadResString(kIdProperty), LoadResString(kIdDisplayName), LoadResString(kIdTotal)});
        const std::u16string csInitial = lsSettingsProps.empty() ? kRowChecked : kRowUnchecked;
        for (const PropItem& item : seHeaders)
            vePropRows.push_back({csInitial, Decimal(item.category), item.name, item.name, Decimal(item.totalComp)});
        for (const std::u16string& csName : lsSettingsProps) SetRowCheck(vePropRows, csName, true, 2);
    }

    m_lstProps.InsertHiddenLabelColumn();
    m_iImageUnchecked = m_lstProps.AppendCheckBoxImages(m_imageList);
    m_iImageChecked = m_iImageUnchecked + 1;
    m_lstProps.SetImageList(&m_imageList, LVSIL_SMALL);
    const TableRow& header = vePropRows.front();
    m_lstProps.InsertColumnTrait(kColProperty, header[2], LVCFMT_LEFT, 100, kColProperty,
                                 new CGridColumnTraitImage(m_iImageUnchecked, 2));
    m_lstProps.InsertColumnTrait(kColDisplayName, header[3], LVCFMT_LEFT, 100, kColDisplayName,
                                 new CGridColumnTraitText);
    m_lstProps.InsertColumnTrait(kColTotal, header[4], LVCFMT_LEFT, 100, kColTotal,
                                 new CGridColumnTraitImage(m_iImageUnchecked, 2));
    m_lstProps.SetTotalMarkColumn(kColTotal);
    m_lstProps.SetSortArrow(kColProperty, false);

    if (veCategoryRows.empty())
        for (const std::uint32_t category : extEngine.seCategories)
            if (category >= 1 && category <= std::size(kIdCategories))
                veCategoryRows.push_back({kRowChecked, LoadResString(kIdCategories[category - 1])});

    // Each category goes on top of the previous one; each check fills the property list
    // through the change handling.
    if (pCategories) {
        int iPos = 0;
        for (const TableRow& row : veCategoryRows) {
            const std::u16string csName = row.size() > 1 ? row[1] : std::u16string();
            iPos = pCategories->InsertItem(iPos, csName);
            if (iPos < 0) {
                iPos = 0;
                continue;
            }
            for (std::size_t c = 0; c < std::size(kIdCategories); ++c)
                if (LoadResString(kIdCategories[c]) == csName) {
                    pCategories->SetItemData(iPos, c + 1);
                    break;
                }
            if (IsRowChecked(row)) pCategories->SetCheck(iPos, TRUE);
        }
    }

    if (!options.bDisplayTotals) {
        CheckDlgButton(kCtrlTotals, BST_UNCHECKED);
        m_lstProps.ShowColumn(kColTotal, !m_lstProps.IsColumnVisible(kColTotal));
    } else {
        CheckDlgButton(kCtrlTotals, BST_CHECKED);
    }

    if (!seHeaders.empty()) {
        if (auto* pCombo = GetDlgItemAs<CComboBox>(kCtrlCombineBy)) {
            for (const PropItem& item : seHeaders) pCombo->AddString(item.name);
            pCombo->SetCurSel(options.iCombineIndex == -1 ? 0 : options.iCombineIndex);
        }
    }
    CheckDlgButton(kCtrlQuantities, options.bQtyColumn ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kCtrlNames, options.bNamesColumn ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kCtrlCombine, options.bCombineRows ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void DlgAssist4::OnDisplayTotals()
{
    m_lstProps.ShowColumn(kColTotal, !m_lstProps.IsColumnVisible(kColTotal));
    options.bDisplayTotals = !options.bDisplayTotals;
}

void DlgAssist4::OnCombineRows()
{
    // Combined rows carry sums, not counts: either way the quantity column goes.
    CheckDlgButton(kCtrlQuantities, BST_UNCHECKED);
    options.bQtyColumn = false;
    options.bCombineRows = !options.bCombineRows;
}

LRESULT DlgAssist4::OnCategoryListChanged(NMHDR& hdr)
{
    const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
    const auto bChecked = DetectCheckChange(nm.uOldState, nm.uNewState);
    CListCtrl* pCategories = CategoryList();
    if (!bChecked || !pCategories) return 0;
    const long category = static_cast<long>(pCategories->GetItemData(nm.iItem));
    PageTable veSubset;
    for (std::size_t i = 1; i < vePropRows.size(); ++i)
        if (vePropRows[i].size() > 1 && LeadingNumber(vePropRows[i][1]) == category) veSubset.push_back(vePropRows[i]);
    if (*bChecked) {
        InsertRowsIntoList(veSubset, m_lstProps, [this](int iItem, const TableRow& row) {
            if (row.size() < 5) return;
            m_lstProps.SetItemText(iItem, 0, row[0]);
            m_lstProps.SetItemText(iItem, kColProperty, row[2]);
            m_lstProps.SetCellImage(iItem, kColProperty, IsRowChecked(row) ? m_iImageChecked : m_iImageUnchecked);
            m_lstProps.SetItemText(iItem, kColDisplayName, row[3]);
            m_lstProps.SetCellImage(iItem, kColTotal, row[4] == u"0" ? m_iImageUnchecked : m_iImageChecked);
        });
    } else {
        RemoveRowsFromList(veSubset, m_lstProps, 2);
    }
    SetRowCheck(veCategoryRows, pCategories->GetItemText(nm.iItem, 0), *bChecked, 1);
    return 0;
}

void DlgAssist4::StorePropertyCheck(int iItem)
{
    SetRowCheck(vePropRows, m_lstProps.GetItemText(iItem, kColProperty),
                m_lstProps.GetCellImage(iItem, kColProperty) != m_iImageUnchecked, 2);
}

LRESULT DlgAssist4::OnPropertyListChanged(NMHDR& hdr)
{
    // A click on a mark first selects the row: the mark is read back at the next change.
    const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
    if (nm.uOldState != 0 || nm.uNewState != 0) StorePropertyCheck(nm.iItem);
    return 0;
}

void DlgAssist4::OnNext()
{
    for (int i = 0; i < m_lstProps.GetItemCount(); ++i) StorePropertyCheck(i);
    OnOK();

    std::vector<std::u16string> lsPropsSel;
    for (int i = 0; i < m_lstProps.GetItemCount(); ++i)
        if (IsImageChecked(i, kColProperty)) lsPropsSel.push_back(m_lstProps.GetItemText(i, kColProperty));
    const bool bQty = IsDlgButtonChecked(kCtrlQuantities) == BST_CHECKED;
    const bool bName = IsDlgButtonChecked(kCtrlNames) == BST_CHECKED;

    const bool bTotals = IsDlgButtonChecked(kCtrlTotals) == BST_CHECKED;
    TotalColumns lsTotalMarks;
    for (int i = 0; bTotals && i < m_lstProps.GetItemCount(); ++i)
        if (IsImageChecked(i, kColTotal)) lsTotalMarks.push_back(m_lstProps.GetItemText(i, kColProperty));

    std::u16string csSelected;
    if (IsDlgButtonChecked(kCtrlCombine) == BST_CHECKED) {
        if (auto* pCombo = GetDlgItemAs<CComboBox>(kCtrlCombineBy)) {
            options.iCombineIndex = pCombo->GetCurSel();
            if (pCombo->GetCount() > 0 && options.iCombineIndex >= 0)
                csSelected = pCombo->GetLBText(options.iCombineIndex);
        }
    }

    DlgAssist5 next(kpsw_kvmoMainWnd());
    next.lsBlockTbRecId = extEngine.lsBlockTbRecId;
    next.bTotals = BuildTableWithTotals(extEngine, lsPropsSel, bQty, bName, bTotals, lsTotalMarks, csSelected,
                                        next.veTableDataOut, next.lsBlockTbRecId);
    HandOn(*this, next);
    next.DoModal();
}

void DlgAssist4::OnPrevious()
{
    OnCancel();
    DlgAssist3 previous(kpsw_kvmoMainWnd());
    previous.seKinds = seKinds;
    previous.extEngine = extEngine;
    previous.veKindRows = veKindRows;
    previous.veKindFilterRows = veKindFilterRows;
    previous.lsSettingsProps = lsSettingsProps;
    previous.DoModal();
}
