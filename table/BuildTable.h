#pragma once
// Turns the engine's records into the extraction table and reduces it.
#include <string>
#include <vector>

#include "table/TableData.h"
#include "table/TotalLine.h"

// The engine keeps the table it last assembled, so its header includes the table's:
// declared here, not included.
class ExtractionEngine;
class PropertyCatalog;

// The header row for the selected properties: "Id", the quantity column when bQty, the
// object-type column when it was selected, the object-name column when bName, then the
// remaining properties in their order.
TableRow BuildHeaderRow(const PropertyCatalog& catalog, const std::vector<std::u16string>& lsPropsSel, bool bQty,
                        bool bName);

// One row per record of the engine's selected kinds (kind names in their order), then:
// identical rows counted when bQty and either no blocks are selected or bName is set with
// no csGroupBy; rows combined by csGroupBy with lsColsTotalChecked when bQty is clear;
// otherwise one row per object. Only counting replaces lsBlockTbRecId (and the engine's
// map) with the blocks of the kept rows. The table is returned and kept by the engine; the
// two share one storage until either changes.
// The caller has run the engine's SelectObjectTypes for the kinds beforehand.
void BuildTable(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel, bool bQty, bool bName,
                const TotalColumns& lsColsTotalChecked, const std::u16string& csGroupBy, SharedTable& veTableDataOut,
                HandleBlockMap& lsBlockTbRecId);
// The same, the table returned as a copy of its own.
void BuildTable(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel, bool bQty, bool bName,
                const TotalColumns& lsColsTotalChecked, const std::u16string& csGroupBy, TableData& veTableDataOut,
                HandleBlockMap& lsBlockTbRecId);

// The table leaving the property page makes: with bTotals the columns marked Total and the
// quantity column are totalled, the table built with them (BuildTable) and their totals line
// appended when there is one; without, nothing is totalled. True when a line was appended.
bool BuildTableWithTotals(ExtractionEngine& engine, const std::vector<std::u16string>& lsPropsSel, bool bQty,
                          bool bName, bool bTotals, const TotalColumns& lsTotalMarks, const std::u16string& csGroupBy,
                          SharedTable& veTableDataOut, HandleBlockMap& lsBlockTbRecId);
