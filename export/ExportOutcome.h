#pragma once
// What an export did that its completion message does not say: the file it could not write
// and why, and what the workbook's limits left out. The callers print their message as
// always, then the line ExportOutcomeLine gives, if any.
#include <cstddef>
#include <string>

struct ExportOutcome {
    std::string csError;  // why the file was not written; empty when it was
    std::size_t nRowsLeftOut = 0;
    std::size_t nColumnsLeftOut = 0;
    std::size_t nCharactersLeftOut = 0;
};

// The one line to print after the export's message, or an empty text when nothing was lost.
std::u16string ExportOutcomeLine(const ExportOutcome& outcome, const std::u16string& csPath);
// The line for a file that was not written: "\nThe file PATH was not written: WHY."
std::u16string FileNotWrittenLine(const std::u16string& csPath, const std::string& csError);
