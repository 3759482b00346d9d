#pragma once
// The extraction tag: handles and object kinds an extraction table was built from, kept in
// the table entity's extended data under the applications "obj_handles" and "obj_types".
#include <string>
#include <vector>

#include "kv/KvDbObjectId.h"
#include "table/TableData.h"

inline constexpr const char16_t* kTagHandles = u"obj_handles";
inline constexpr const char16_t* kTagTypes = u"obj_types";

// Application names hold at most 29 characters and items at most 199; longer texts are cut
// there, on writing and on reading alike, so the same long name always finds the same group.
inline constexpr std::size_t kTagAppNameMax = 29;
inline constexpr std::size_t kTagItemMax = 199;

// Appends the items after those already in the group (creating and registering it when
// absent). False when the object cannot be opened.
bool AppendTagItems(KvDbObjectId idObject, const std::u16string& csAppName, const std::vector<std::u16string>& lsItems);

// As AppendTagItems, with the items (TableData rows 1, 2, ...) taken in the order the drawing
// table shows them: entry k+1 of the row order gives item entry-1. Entries that name no item
// (the empty row, the totals line) are skipped; items past the row order follow in order.
bool AppendTagItemsInOrder(KvDbObjectId idObject, const std::u16string& csAppName,
                           const std::vector<std::u16string>& lsItems, const RowOrder& veRowOrder);

// Removes the group's items and keeps the application attached. False when the object
// cannot be opened for write.
bool ClearTag(KvDbObjectId idObject, const std::u16string& csAppName);

// The group's items in order. Prints message 241 when the object has no such group, unless
// bReportMissing is false.
std::vector<std::u16string> ReadTag(KvDbObjectId idObject, const std::u16string& csAppName, bool bReportMissing = true);

// Handles of the object rows of a table (without the empty row and totals line when set).
std::vector<std::u16string> RowHandles(const TableData& veTable, bool bTotals);

// Tags an inserted extraction table: the handles of its object rows in the order its rows
// show them (veRowOrder as the table fill takes it), and the kinds extracted.
void TagExtractionTable(KvDbObjectId idTable, const TableData& veTable, bool bTotals, const RowOrder& veRowOrder,
                        const std::vector<std::u16string>& lsKinds);
