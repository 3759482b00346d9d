#include "export/CsvExport.h"

#include <string_view>

#include "engine/NumberText.h"
#include "export/AtomicFile.h"
#include "export/CsvNumberFormatter.h"
#include "export/OutputLanguage.h"

namespace {

// Each UTF-16 code unit becomes its low byte, with no code-page conversion.
void AppendLowBytes(std::string& csOut, std::u16string_view csText)
{
    const std::size_t nStart = csOut.size();
    csOut.resize(nStart + csText.size());
    char* p = csOut.data() + nStart;
    for (char16_t c : csText) *p++ = static_cast<char>(c & 0xFF);
}

class CsvLineWriter {
public:
    CsvLineWriter(const std::u16string& csPath, std::u16string_view csSeparator)
        : m_file(csPath), m_language(ReadOutputLanguage()), m_numbers(m_language)
    {
        if (m_language == OutputLanguage::French) csSeparator = u";";
        AppendLowBytes(m_csSeparator, csSeparator);
    }

    bool IsOpen() const { return m_file.IsOpen(); }

    void Field(const std::u16string& csCell, bool bRaw)
    {
        if (bRaw) {
            AppendLowBytes(m_csLine, csCell);
            return;
        }
        m_csLine.push_back('"');
        if (IsNumericText(csCell))
            m_numbers.Append(m_csLine, csCell);
        else
            AppendLowBytes(m_csLine, csCell);
        m_csLine.push_back('"');
    }
    void Separator() { m_csLine += m_csSeparator; }
    void EndLine()
    {
        m_csLine += "\r\n";
        m_file.Write(m_csLine);
        m_csLine.clear();
    }
    bool Finish() { return m_file.Commit(); }

private:
    AtomicFile m_file;
    OutputLanguage m_language;
    CsvNumberFormatter m_numbers;
    std::string m_csSeparator;
    std::string m_csLine;
};

const std::u16string& CellAt(const TableData& table, std::size_t nRow, std::size_t nColumn)
{
    static const std::u16string csEmpty;
    if (nRow >= table.size() || nColumn >= table[nRow].size()) return csEmpty;
    return table[nRow][nColumn];
}

}  // namespace

void ExportCsvFromPreview(const TableData& table, std::u16string csPath, const ColumnIncludeFlags& veIncludeFlags,
                          const HeaderOrder& veHeaderOrder, const RowOrder& veRowOrder, std::u16string csSeparator)
{
    if (table.empty()) return;
    CsvLineWriter writer(csPath, csSeparator);
    if (!writer.IsOpen()) return;
    const std::size_t nPositions = veHeaderOrder.size();
    for (std::size_t r = 0; r < table.size(); ++r) {
        const std::size_t nSourceRow = r < veRowOrder.size() ? static_cast<std::size_t>(veRowOrder[r]) : r;
        for (std::size_t p = 0; p < nPositions; ++p) {
            const std::size_t nColumn = static_cast<std::size_t>(veHeaderOrder[p]);
            // A column without a flag counts as shown: the preview sets every flag on opening.
            if (nColumn < veIncludeFlags.size() && !veIncludeFlags[nColumn]) continue;
            writer.Field(CellAt(table, nSourceRow, nColumn), p == 1);
            if (p + 1 != nPositions) writer.Separator();
        }
        writer.EndLine();
    }
    writer.Finish();
}

void ExportCsvFromTable(const TableData& table, std::u16string csPath, std::u16string csSeparator)
{
    if (table.empty()) return;
    CsvLineWriter writer(csPath, csSeparator);
    if (!writer.IsOpen()) return;
    const std::size_t nColumns = table[0].size();
    for (std::size_t r = 0; r < table.size(); ++r) {
        for (std::size_t c = 0; c < nColumns; ++c) {
            writer.Field(CellAt(table, r, c), c == 0);
            if (c + 1 != nColumns) writer.Separator();
        }
        writer.EndLine();
    }
    writer.Finish();
}
