#include "ExcelFormat/XlsBiffWorkbook.h"

namespace XlsBiff {

namespace {

// Visits the globals' records in stream order.
template <class Visit>
void ForEachRecord(const Workbook& workbook, Visit&& visit)
{
    visit(workbook.bof);
    visit(workbook.window1);
    for (const auto& font : workbook.fonts) visit(font);
    for (const auto& format : workbook.formats)
        if (Workbook::IsWrittenFormat(format)) visit(format);
    for (const auto& xf : workbook.xfs) visit(xf);
    for (const auto& style : workbook.styles) visit(style);
    for (const auto& boundSheet : workbook.boundSheets) visit(boundSheet);
    visit(workbook.sst);
    visit(workbook.eof);
}

}  // namespace

std::size_t Workbook::RecordSize() const
{
    std::size_t nSize = 0;
    ForEachRecord(*this, [&](const Record& record) { nSize += record.RecordSize(); });
    return nSize;
}

std::size_t Workbook::Write(std::uint8_t* pOut) const
{
    std::size_t nWritten = 0;
    ForEachRecord(*this, [&](const Record& record) { nWritten += record.Write(pOut + nWritten); });
    return nWritten;
}

}  // namespace XlsBiff
