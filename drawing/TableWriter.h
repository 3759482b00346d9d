#pragma once
// Writes an extraction table into the drawing as a table entity: title row, header row,
// data rows in display order, block previews, column widths fitted to the texts.
#include <string>

#include "kv/KvDbObjectId.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvStatus.h"
#include "table/TableData.h"

class KvDbTable;

// Fixed texts of the fill failures (printed as they stand).
inline constexpr const char16_t* kErrCellContent = u"Error adding content into a table cell";
inline constexpr const char16_t* kErrColumnFit = u"Error to fit content into a table column";
inline constexpr const char16_t* kErrTableUpdate = u"Error updating table";

inline constexpr double kInitialColumnWidth = 20.0;
inline constexpr double kMaxMeasuredWidth = 50.0;
inline constexpr double kColumnWidthFactor = 1.3;
inline constexpr unsigned int kIdTitle = 213;

// Creates, fills and appends a table to model space at ptInsert (world coordinates).
// The new table's id, or null when it cannot be found after appending.
KvDbObjectId CreateTable(const TableData& veTable, const HandleBlockMap& mapBlocks,
                         const ColumnIncludeFlags& veIncludeFlags, const HeaderOrder& veHeaderOrder,
                         const RowOrder& veRowOrder, const KvGePoint3d& ptInsert, const std::u16string& csPreviewName);

// Sizes and fills a table from the extraction table; prints a fixed text on failure.
void FillNewTable(const TableData& veTable, const HandleBlockMap& mapBlocks, const ColumnIncludeFlags& veIncludeFlags,
                  const HeaderOrder& veHeaderOrder, const RowOrder& veRowOrder, const std::u16string& csPreviewName,
                  KvDbTable& table);

// Writes cell k of a table row into table cell (r, c): in the preview column (csHeader, the
// header of column k, is csPreviewName) of a data row the block of the row's object, when it
// has one, else the text. The host's status.
Kvmo::ErrorStatus WriteTableCell(KvDbTable& table, int r, int c, const TableRow& row, std::size_t k,
                                 const std::u16string& csHeader, const HandleBlockMap& mapBlocks,
                                 const std::u16string& csPreviewName);

// Gives each column 1.3 times its widest text (rows 1 on), counting at most 50.0 of it.
// Stops at the first rejected width and returns its status.
Kvmo::ErrorStatus FitColumns(KvDbTable& table, int nRows, int nColumns);

// The last steps of both fills: fit the columns, rebuild the graphics; false (after
// printing the fixed text) when either is rejected.
bool FitAndRecompute(KvDbTable& table, int nRows, int nColumns);

// Prints one of the fixed failure texts.
void PrintTableError(const char16_t* pszText);
