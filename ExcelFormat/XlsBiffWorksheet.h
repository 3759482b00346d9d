#pragma once
// One worksheet's records: the frame, and the cells in blocks of 32 rows, each closed by
// a DBCELL whose position the INDEX lists.
#include <memory>
#include <vector>

#include "ExcelFormat/XlsBiffCellRecords.h"
#include "ExcelFormat/XlsBiffGlobalsRecords.h"
#include "ExcelFormat/XlsBiffSheetRecords.h"

namespace XlsBiff {

struct Worksheet {
    static constexpr std::size_t kRowsPerBlock = 32;

    using Index = XlsBiff::Index;
    using ColInfos = std::vector<XlsBiff::ColInfo>;
    using Dimensions = XlsBiff::Dimensions;
    using Window2 = XlsBiff::Window2;
    using MergedCells = XlsBiff::MergedCells;

    struct CellTable {
        struct RowBlock {
            using Row = XlsBiff::Row;
            using DBCell = XlsBiff::DBCell;
            std::vector<Row> rows;
            using CellBlock = XlsBiff::CellBlock;
            std::vector<CellBlock> cells;              // in row order
            std::vector<std::size_t> cellBytesPerRow;  // record sizes, one entry per row
            DBCell dbCell;

            std::size_t RowsAndCellsSize() const;
        };
        std::vector<RowBlock> rowBlocks;
    };

    BOF bof{BOF::kWorksheet};
    Index index;
    ColInfos colInfos;
    Dimensions dimensions;
    CellTable cellTable;
    Window2 window2;
    std::vector<MergedCells> mergedCells;
    EndOfFile eof;

    // Fills the DBCELL offsets and the INDEX positions for a sheet starting at nStart.
    void ComputePositions(std::size_t nStart);
    std::size_t RecordSize() const;
    std::size_t Write(std::uint8_t* pOut) const;
};

}  // namespace XlsBiff
