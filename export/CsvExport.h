#pragma once
// Writing an extraction table to a CSV file: one byte per UTF-16 code unit, CR LF line ends,
// the separator and number conventions of the host's language.
#include <string>

#include "table/TableData.h"

// The table as the preview shows it: the shown columns in on-screen order (position 1 is
// written raw), the rows in on-screen order, hidden columns skipped.
void ExportCsvFromPreview(const TableData& table, std::u16string csPath, const ColumnIncludeFlags& veIncludeFlags,
                          const HeaderOrder& veHeaderOrder, const RowOrder& veRowOrder, std::u16string csSeparator);

// Every column and row of a table read back from the drawing, in stored order (column 0 raw).
void ExportCsvFromTable(const TableData& table, std::u16string csPath, std::u16string csSeparator);
