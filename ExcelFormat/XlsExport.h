#pragma once
// Writing an extraction table as a one-sheet workbook of text cells with a bold header. The
// outcome says why the file was not written, or what the workbook's limits left out.
#include <string>

#include "export/ExportOutcome.h"
#include "table/TableData.h"

// The table as the preview shows it: shown columns in on-screen order, rows in on-screen
// order; a hidden column leaves its worksheet column empty.
ExportOutcome ExportXlsFromPreview(const TableData& table, std::u16string csPath,
                                   const ColumnIncludeFlags& veIncludeFlags, const HeaderOrder& veHeaderOrder,
                                   const RowOrder& veRowOrder);

// Every column and row of a table read back from the drawing, in stored order.
ExportOutcome ExportXlsFromTable(const TableData& table, std::u16string csPath);
