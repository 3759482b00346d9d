#include "ui/DlgAssist5.h"

#include <list>

#include "drawing/ExtractionTag.h"
#include "drawing/InsertExtractionTable.h"
#include "ExcelFormat/XlsExport.h"
#include "export/CsvExport.h"
#include "export/ExtractionSettings.h"
#include "host/ResString.h"
#include "kv/KvConsole.h"
#include "kv/KvStatus.h"
#include "kvui/CFileDialog.h"
#include "ui/DialogEditorInteraction.h"
#include "ui/DlgAssist4.h"
#include "ui/InsertedTable.h"
#include "kvui/KvUiControls.h"
#include "kvui/KvUiMessageBox.h"
#include "table/TotalLine.h"
#include "ui/PageTexts.h"

namespace {
constexpr int kCtrlPreviewCaption = 1041;
constexpr int kCtrlPreview = 1022;
constexpr int kCtrlOutputGroup = 1038;
constexpr int kCtrlOutputInstruction = 1043;
constexpr int kCtrlInsert = 1031;
constexpr int kCtrlInsertCaption = 1044;
constexpr int kCtrlExport = 1029;
constexpr int kCtrlExportCaption = 1045;
constexpr int kCtrlExportPath = 1016;
constexpr int kCtrlSettingsGroup = 1042;
constexpr int kCtrlSettings = 1003;
constexpr int kCtrlSettingsPath = 1017;
constexpr int kIconInsertTable = 132;
constexpr unsigned int kIdNoOutput = 189;
constexpr unsigned int kIdKvxDone = 242;
constexpr unsigned int kIdKvxFailed = 243;

void Print(const std::u16string& csText)
{
    if (csText.empty()) return;
    kvutPrintf(u"%s", csText.c_str());
}
}  // namespace

DlgAssist5::DlgAssist5(CWnd* pParent) : CKvUiDialog(IDD, pParent)
{
    MapCommand(kCtrlInsert, BN_CLICKED, [this] { OnInsertTable(); });
    MapCommand(kCtrlExport, BN_CLICKED, [this] { OnExportFile(); });
    MapCommand(kCtrlSettings, BN_CLICKED, [this] { OnSettingsFile(); });
    MapCommand(IDOK, BN_CLICKED, [this] { OnFinish(); });
    MapCommand(kCtrlPrevious, BN_CLICKED, [this] { OnPrevious(); });
}

void DlgAssist5::DoDataExchange()
{
    DDX_Control(kCtrlPreview, m_lstPreview);
}

BOOL DlgAssist5::OnInitDialog()
{
    SetPageTexts(*this, 153,
                 {{kCtrlPreviewCaption, 158},
                  {kCtrlOutputGroup, 160},
                  {kCtrlOutputInstruction, 159},
                  {kCtrlInsertCaption, 162},
                  {kCtrlExportCaption, 163},
                  {kCtrlSettingsGroup, 161},
                  {kCtrlPrevious, kIdPrevious},
                  {IDCANCEL, kIdCancel},
                  {IDOK, kIdFinish}});
    m_lstPreview.SetExtendedStyle(m_lstPreview.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT |
                                  LVS_EX_HEADERDRAGDROP);
    if (!veTableDataOut.empty()) {
        const TableRow& header = veTableDataOut.front();
        m_lstPreview.IncludeFlags().assign(header.size(), true);
        m_lstPreview.InsertHiddenLabelColumn();
        for (std::size_t k = 1; k < header.size(); ++k)
            m_lstPreview.InsertColumnTrait(static_cast<int>(k), header[k], LVCFMT_LEFT, 100, static_cast<int>(k),
                                           new CGridColumnTraitText);
        for (std::size_t r = 1; r < veTableDataOut.size(); ++r) {
            const TableRow& row = veTableDataOut[r];
            const int iItem = m_lstPreview.InsertItem(static_cast<int>(r - 1), row.empty() ? std::u16string() : row[0]);
            for (std::size_t k = 1; k < row.size() && k < header.size(); ++k)
                m_lstPreview.SetItemText(iItem, static_cast<int>(k), row[k]);
            m_lstPreview.SetItemData(iItem, r);
        }
        m_lstPreview.SetSortArrow(1, false);
    }
    m_lstPreview.EnableHeaderMenu(true);

    if (auto* pInsert = GetDlgItemAs<CButton>(kCtrlInsert))
        if (!pInsert->GetIcon()) pInsert->SetIcon(kvuiLoadIcon(kIconInsertTable));

    m_lstPreview.SetColumnFormat(1, LVCFMT_RIGHT);
    if (!veTableDataOut.empty()) {
        const TableRow& header = veTableDataOut.front();
        for (const PropItem& item : seHeaders)
            if (item.totalComp)
                for (std::size_t k = 1; k < header.size(); ++k)
                    if (header[k] == item.name) m_lstPreview.SetColumnFormat(static_cast<int>(k), LVCFMT_RIGHT);
    }

    // The drawing table and the files show an empty row before the totals line; the
    // preview, filled above, does not.
    if (bTotals) InsertRowBeforeTotalLine(veTableDataOut.Edit());
    return TRUE;
}

HeaderOrder DlgAssist5::PreviewHeaderOrder() const
{
    HeaderOrder order;
    for (const int iCol : m_lstPreview.GetColumnOrder())
        if (iCol != 0 && m_lstPreview.IsColumnVisible(iCol)) order.push_back(iCol);
    return order;
}

RowOrder DlgAssist5::PreviewRowOrder() const
{
    RowOrder order{0};
    for (int i = 0; i < m_lstPreview.GetItemCount(); ++i)
        order.push_back(static_cast<std::int32_t>(m_lstPreview.GetItemData(i)));
    return order;
}

void DlgAssist5::OnInsertTable()
{
    TableInsertRequest request;
    request.veTable = veTableDataOut;
    request.mapBlocks = lsBlockTbRecId;
    request.veIncludeFlags = m_lstPreview.IncludeFlags();
    request.veHeaderOrder = PreviewHeaderOrder();
    request.veRowOrder = PreviewRowOrder();
    request.csPreviewName = extEngine.catalog.previewItem.name;
    DialogEditorInteraction ui(*this);
    InsertExtractionTable(request, ui);
    iInsertResult = request.iInsertResult;
    if (iInsertResult == RTNORM) {
        veHeaderOrder = request.veHeaderOrder;
        veRowOrder = request.veRowOrder;
        LastInsertedTable() = request.idInsertedTable;
    }
}

void DlgAssist5::OnExportFile()
{
    CFileDialog dlg(FALSE, nullptr, u"*.csv", OFN_HIDEREADONLY, kExportFilter, this);
    if (dlg.DoModal() != IDOK) return;
    csExportPath = dlg.GetPathName();
    iExportType = static_cast<std::int32_t>(dlg.m_ofn.nFilterIndex);
    SetDlgItemText(kCtrlExportPath, csExportPath);
}

void DlgAssist5::OnSettingsFile()
{
    CFileDialog dlg(FALSE, nullptr, u"*.kvx", OFN_HIDEREADONLY, u"Kvx file (*.kvx)|*.kvx||", this);
    if (dlg.DoModal() != IDOK) return;
    csSettingsPath = dlg.GetPathName();
    SetDlgItemText(kCtrlSettingsPath, csSettingsPath);
}

void DlgAssist5::OnFinish()
{
    if (csExportPath.empty() && csSettingsPath.empty() && iInsertResult != RTNORM) {
        if (MessageBox(LoadResString(kIdNoOutput), u"", MB_YESNO | MB_ICONQUESTION) == IDYES) OnOK();
        return;
    }
    OnOK();

    if (!csExportPath.empty()) {
        veHeaderOrder = PreviewHeaderOrder();
        veRowOrder = PreviewRowOrder();
        // The message is printed whatever happened; a line after it tells what was lost.
        const ColumnIncludeFlags& veFlags = m_lstPreview.IncludeFlags();
        if (iExportType == kExportCsv)
            PrintExportReport(
                kIdCsvDone, csExportPath,
                ExportCsvFromPreview(veTableDataOut, csExportPath, veFlags, veHeaderOrder, veRowOrder, u","));
        else if (iExportType == kExportXls)
            PrintExportReport(kIdXlsDone, csExportPath,
                              ExportXlsFromPreview(veTableDataOut, csExportPath, veFlags, veHeaderOrder, veRowOrder));
    }

    if (iInsertResult == RTNORM) {
        const KvDbObjectId idTable = LastInsertedTable();
        TagExtractionTable(idTable, veTableDataOut, bTotals, veRowOrder, extEngine.lsObjectsSel);
    }

    if (!csSettingsPath.empty()) {
        const std::list<std::u16string> lsPropsSel(extEngine.lsPropsSel.begin(), extEngine.lsPropsSel.end());
        std::string csError;
        if (SaveExtractionSettings(csSettingsPath, lsPropsSel, &csError)) {
            Print(FormatResString(kIdKvxDone, {csSettingsPath}));
        } else {
            Print(LoadResString(kIdKvxFailed));
            Print(FileNotWrittenLine(csSettingsPath, csError));
        }
    }
}

void DlgAssist5::OnPrevious()
{
    OnCancel();
    DlgAssist4 previous(kpsw_kvmoMainWnd());
    HandOn(*this, previous);
    previous.DoModal();
}
