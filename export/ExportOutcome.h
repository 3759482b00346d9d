#pragma once
// What an export did that its completion message does not say: the file it could not write
// and why, and what the workbook's limits left out. The callers print their message as
// always, then the line ExportOutcomeLine gives, if any.
#include <cstddef>
#include <cstdint>
#include <string>

// The file types an export's save dialog offers, in filter order.
inline constexpr const char16_t* kExportFilter = u"Csv file (*.csv)|*.csv| Xls file (*.xls)|*.xls||";
inline constexpr std::int32_t kExportCsv = 1;
inline constexpr std::int32_t kExportXls = 2;
// The completion messages ("CSV export done to : PATH" and the XLS one).
inline constexpr unsigned int kIdCsvDone = 188;
inline constexpr unsigned int kIdXlsDone = 244;

struct ExportOutcome {
    std::string csError;  // why the file was not written; empty when it was
    std::size_t nRowsLeftOut = 0;
    std::size_t nColumnsLeftOut = 0;
    std::size_t nCharactersLeftOut = 0;
};

// The one line to print after the export's message, or an empty text when nothing was lost.
std::u16string ExportOutcomeLine(const ExportOutcome& outcome, const std::u16string& csPath);
// Prints the completion message idDone for csPath, then the outcome's line if there is one.
void PrintExportReport(unsigned int idDone, const std::u16string& csPath, const ExportOutcome& outcome);
// The line for a file that was not written: "\nThe file PATH was not written: WHY."
std::u16string FileNotWrittenLine(const std::u16string& csPath, const std::string& csError);
