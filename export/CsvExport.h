#pragma once
// Writing an extraction table to a CSV file: one byte per UTF-16 code unit, CR LF line ends
// (line feeds inside cells too), the separator and number conventions of the host's
// language, quotation marks inside fields doubled. The file replaces any file at the path
// only once complete; the outcome says why it was not written.
#include <string>

#include "export/ExportOutcome.h"
#include "table/TableData.h"

// The table as the preview shows it: the shown columns in on-screen order (position 1 is
// written raw), the rows in on-screen order, hidden columns skipped.
ExportOutcome ExportCsvFromPreview(const TableData& table, std::u16string csPath,
                                   const ColumnIncludeFlags& veIncludeFlags, const HeaderOrder& veHeaderOrder,
                                   const RowOrder& veRowOrder, std::u16string csSeparator);

// Every column and row of a table read back from the drawing, in stored order (column 0 raw).
ExportOutcome ExportCsvFromTable(const TableData& table, std::u16string csPath, std::u16string csSeparator);
