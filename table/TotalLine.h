#pragma once
// The totals line: sums of chosen columns over the data rows of a table.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "table/TableData.h"

// Header texts of the columns to total; a name given twice adds its column twice per row,
// names that are no header are ignored.
using TotalColumns = std::vector<std::u16string>;

// Sums rows one at a time. The running total of a column exists only as its "%g" text, so
// every addition re-reads that text and each intermediate sum is rounded to six digits
// (1000000 + 1 stays 1e+06). That rounding is part of the result users see.
class TotalAccumulator {
public:
    TotalAccumulator(const TableRow& header, const TotalColumns& lsColsTotal);

    void Add(const TableRow& row);
    // As many cells as the header; untotalled cells, and totalled ones no row reached, are empty.
    TableRow Line() const;

private:
    struct Column {
        std::size_t index;
        unsigned nTimes;     // how often the column is named in the total list
        double value = 0.0;  // the re-read of text
        std::u16string text;
    };
    std::size_t m_nColumns;
    std::vector<Column> m_veColumns;  // ascending column index
};

// The totals line of the table's data rows (rows 1 on), or an empty row (no cells) when the
// table or the list of total columns is empty.
TableRow ComputeTotalLine(const TableData& veTable, const TotalColumns& lsColsTotal);

// The drawing table and the files show an empty row before the totals line (the table's last
// row); the preview does not.
void InsertRowBeforeTotalLine(TableData& veTable);
