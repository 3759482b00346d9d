#include "ExcelFormat/XlsExport.h"

#include <algorithm>

#include "ExcelFormat/BasicExcel.h"
#include "ExcelFormat/CellStyle.h"
#include "ExcelFormat/CellStyleRegistry.h"
#include "engine/NumberText.h"
#include "export/OutputLanguage.h"
#include "table/DisplayOrder.h"

namespace {

class XlsTableWriter {
public:
    XlsTableWriter() : m_language(ReadOutputLanguage())
    {
        m_xls.CreateNew(1);
        m_pSheet = m_xls.SheetAt(0);
        m_pFmtMgr = std::make_unique<CellStyleRegistry>(m_xls);
        m_pCellFmt = std::make_unique<CellStyle>(*m_pFmtMgr);
        FontSpec fontBold;
        fontBold.weight = 700;
        m_pFmtBold = std::make_unique<CellStyle>(*m_pFmtMgr);
        m_pFmtBold->SetFont(fontBold);
    }

    void Put(std::size_t nRow, std::size_t nColumn, std::u16string csTmp)
    {
        CellModel* pCell = m_pSheet->CellAt(nRow, nColumn);
        if (!pCell) {
            // Beyond 65536 rows or 256 columns: counted for the user.
            if (nRow >= SheetModel::kMaxRows) m_nRowsPast = std::max(m_nRowsPast, nRow + 1 - SheetModel::kMaxRows);
            if (nColumn >= SheetModel::kMaxColumns)
                m_nColumnsPast = std::max(m_nColumnsPast, nColumn + 1 - SheetModel::kMaxColumns);
            return;
        }
        m_nCharactersCut += csTmp.size() - CellModel::KeptTextLength(csTmp);
        // Numbers stay texts: only their decimal mark follows the language.
        if (IsNumericText(csTmp)) {
            if (m_language == OutputLanguage::French) std::replace(csTmp.begin(), csTmp.end(), u'.', u',');
            pCell->SetText(std::move(csTmp));
            pCell->ApplyStyle(*m_pCellFmt);
        } else {
            pCell->SetText(std::move(csTmp));
        }
        if (nRow == 0) pCell->ApplyStyle(*m_pFmtBold);
    }

    ExportOutcome Save(const std::u16string& csPath)
    {
        ExportOutcome outcome;
        if (!m_xls.SaveToFile(csPath)) {
            outcome.csError = m_xls.SaveError();
            return outcome;
        }
        outcome.nRowsLeftOut = m_nRowsPast;
        outcome.nColumnsLeftOut = m_nColumnsPast;
        outcome.nCharactersLeftOut = m_nCharactersCut;
        return outcome;
    }

private:
    OutputLanguage m_language;
    BasicExcel m_xls;
    SheetModel* m_pSheet = nullptr;
    std::unique_ptr<CellStyleRegistry> m_pFmtMgr;
    std::unique_ptr<CellStyle> m_pCellFmt;
    std::unique_ptr<CellStyle> m_pFmtBold;
    std::size_t m_nRowsPast = 0;
    std::size_t m_nColumnsPast = 0;
    std::size_t m_nCharactersCut = 0;
};

ExportOutcome WriteXls(const TableData& table, const std::u16string& csPath, const ColumnIncludeFlags& veIncludeFlags,
                       const HeaderOrder& veHeaderOrder, const RowOrder& veRowOrder)
{
    if (table.empty()) return {};
    XlsTableWriter writer;
    // A hidden column leaves its worksheet column empty.
    ForEachShownCell(
        table, veIncludeFlags, veHeaderOrder, veRowOrder,
        [&](std::size_t r, std::size_t p, const std::u16string& csCell) { writer.Put(r, p, csCell); },
        [](std::size_t) {});
    // The caller's message is the same either way; what was lost comes after it.
    return writer.Save(csPath);
}

}  // namespace

ExportOutcome ExportXlsFromPreview(const TableData& table, std::u16string csPath,
                                   const ColumnIncludeFlags& veIncludeFlags, const HeaderOrder& veHeaderOrder,
                                   const RowOrder& veRowOrder)
{
    return WriteXls(table, csPath, veIncludeFlags, veHeaderOrder, veRowOrder);
}

ExportOutcome ExportXlsFromTable(const TableData& table, std::u16string csPath)
{
    return WriteXls(table, csPath, {}, StoredColumnOrder(table), {});
}
