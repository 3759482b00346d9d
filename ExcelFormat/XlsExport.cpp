#include "ExcelFormat/XlsExport.h"

#include <algorithm>

#include "ExcelFormat/BasicExcel.h"
#include "ExcelFormat/CellStyle.h"
#include "ExcelFormat/CellStyleRegistry.h"
#include "engine/NumberText.h"
#include "export/OutputLanguage.h"

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

const std::u16string& CellAt(const TableData& table, std::size_t nRow, std::size_t nColumn)
{
    static const std::u16string csEmpty;
    if (nRow >= table.size() || nColumn >= table[nRow].size()) return csEmpty;
    return table[nRow][nColumn];
}

}  // namespace

ExportOutcome ExportXlsFromPreview(const TableData& table, std::u16string csPath,
                                   const ColumnIncludeFlags& veIncludeFlags, const HeaderOrder& veHeaderOrder,
                                   const RowOrder& veRowOrder)
{
    if (table.empty()) return {};
    XlsTableWriter writer;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const std::size_t nSourceRow = r < veRowOrder.size() ? static_cast<std::size_t>(veRowOrder[r]) : r;
        for (std::size_t p = 0; p < veHeaderOrder.size(); ++p) {
            const std::size_t nColumn = static_cast<std::size_t>(veHeaderOrder[p]);
            // A column without a flag counts as shown: the preview sets every flag on opening.
            if (nColumn < veIncludeFlags.size() && !veIncludeFlags[nColumn]) continue;
            writer.Put(r, p, CellAt(table, nSourceRow, nColumn));
        }
    }
    // The caller's message is the same either way; what was lost comes after it.
    return writer.Save(csPath);
}

ExportOutcome ExportXlsFromTable(const TableData& table, std::u16string csPath)
{
    if (table.empty()) return {};
    XlsTableWriter writer;
    const std::size_t nColumns = table[0].size();
    for (std::size_t r = 0; r < table.size(); ++r)
        for (std::size_t c = 0; c < nColumns; ++c) writer.Put(r, c, CellAt(table, r, c));
    return writer.Save(csPath);
}
