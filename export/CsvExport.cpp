#include "export/CsvExport.h"

#include <string_view>

#include "engine/NumberText.h"
#include "export/CsvNumberFormatter.h"
#include "export/OutputLanguage.h"
#include "kv/KvReplaceFile.h"
#include "table/DisplayOrder.h"

namespace {

// Each UTF-16 code unit becomes its low byte, with no code-page conversion.
void AppendLowBytes(std::string& csOut, std::u16string_view csText)
{
    const std::size_t nStart = csOut.size();
    csOut.resize(nStart + csText.size());
    char* p = csOut.data() + nStart;
    for (char16_t c : csText) *p++ = static_cast<char>(c & 0xFF);
}

// The file is written as a text-mode stream on Windows writes it: every line feed, the
// line ends and those inside a cell alike, becomes CR LF; a carriage return stays as it is.
void AppendTextMode(std::string& csOut, std::string_view bytes)
{
    for (char c : bytes) {
        if (c == '\n') csOut += '\r';
        csOut += c;
    }
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

    // Fields are quoted, except at the raw position, where only a text that holds the
    // separator, a quotation mark or a line break is; quotation marks inside are doubled,
    // so that every CSV reader reads the field back whole.
    void Field(const std::u16string& csCell, bool bRaw)
    {
        m_csField.clear();
        const bool bNumber = !bRaw && IsNumericText(csCell);
        if (bNumber)
            m_numbers.Append(m_csField, csCell);
        else
            AppendLowBytes(m_csField, csCell);
        const bool bQuoted = !bRaw || NeedsQuotes(m_csField);
        if (bQuoted) m_csLine += '"';
        for (char c : m_csField) {
            if (c == '"') m_csLine += '"';
            m_csLine += c;
        }
        if (bQuoted) m_csLine += '"';
    }
    void Separator() { m_csLine += m_csSeparator; }
    void EndLine()
    {
        m_csLine += '\n';
        m_csOut.clear();
        AppendTextMode(m_csOut, m_csLine);
        m_file.Write(m_csOut);
        m_csLine.clear();
    }
    ExportOutcome Finish()
    {
        ExportOutcome outcome;
        if (!m_file.Commit()) outcome.csError = m_file.ErrorText();
        return outcome;
    }
    ExportOutcome NotOpened() const { return {m_file.ErrorText()}; }

private:
    bool NeedsQuotes(std::string_view field) const
    {
        return field.find_first_of("\"\r\n") != std::string_view::npos ||
               (!m_csSeparator.empty() && field.find(m_csSeparator) != std::string_view::npos);
    }

    KvReplaceFile m_file;
    OutputLanguage m_language;
    CsvNumberFormatter m_numbers;
    std::string m_csSeparator;
    std::string m_csField;
    std::string m_csLine;
    std::string m_csOut;
};

// Position nRawPosition is written raw; hidden columns are skipped.
ExportOutcome WriteCsv(const TableData& table, const std::u16string& csPath, const ColumnIncludeFlags& veIncludeFlags,
                       const HeaderOrder& veHeaderOrder, const RowOrder& veRowOrder, const std::u16string& csSeparator,
                       std::size_t nRawPosition)
{
    if (table.empty()) return {};
    CsvLineWriter writer(csPath, csSeparator);
    if (!writer.IsOpen()) return writer.NotOpened();
    const std::size_t nPositions = veHeaderOrder.size();
    ForEachShownCell(
        table, veIncludeFlags, veHeaderOrder, veRowOrder,
        [&](std::size_t, std::size_t p, const std::u16string& csCell) {
            writer.Field(csCell, p == nRawPosition);
            if (p + 1 != nPositions) writer.Separator();
        },
        [&](std::size_t) { writer.EndLine(); });
    return writer.Finish();
}

}  // namespace

ExportOutcome ExportCsvFromPreview(const TableData& table, std::u16string csPath,
                                   const ColumnIncludeFlags& veIncludeFlags, const HeaderOrder& veHeaderOrder,
                                   const RowOrder& veRowOrder, std::u16string csSeparator)
{
    return WriteCsv(table, csPath, veIncludeFlags, veHeaderOrder, veRowOrder, csSeparator, 1);
}

ExportOutcome ExportCsvFromTable(const TableData& table, std::u16string csPath, std::u16string csSeparator)
{
    return WriteCsv(table, csPath, {}, StoredColumnOrder(table), {}, csSeparator, 0);
}
