#include "ExcelFormat/XlsBiffWorksheet.h"

#include <numeric>

namespace XlsBiff {

std::size_t Worksheet::CellTable::RowBlock::RowsAndCellsSize() const
{
    return rows.size() * Row::kRecordSize +
           std::accumulate(cellBytesPerRow.begin(), cellBytesPerRow.end(), std::size_t{0});
}

void Worksheet::ComputePositions(std::size_t nStart)
{
    // The INDEX's own size depends on the number of blocks: size its list first.
    index.dbCellPositions.assign(cellTable.rowBlocks.size(), 0);
    std::size_t nPosition = nStart + bof.RecordSize() + index.RecordSize() + dimensions.RecordSize();
    for (const ColInfo& colInfo : colInfos) nPosition += colInfo.RecordSize();
    for (std::size_t k = 0; k < cellTable.rowBlocks.size(); ++k) {
        CellTable::RowBlock& block = cellTable.rowBlocks[k];
        const std::size_t nRowsAndCells = block.RowsAndCellsSize();
        nPosition += nRowsAndCells;
        // The DBCELL points back to the first ROW; its first row offset runs from the
        // second ROW to the first cell, each further one over the previous row's cells.
        block.dbCell.offsetToFirstRow = static_cast<std::uint32_t>(nRowsAndCells);
        block.dbCell.rowOffsets.clear();
        if (!block.rows.empty()) {
            block.dbCell.rowOffsets.push_back(
                static_cast<std::uint16_t>(block.rows.size() * Row::kRecordSize - Row::kRecordSize));
            for (std::size_t r = 0; r + 1 < block.rows.size(); ++r)
                block.dbCell.rowOffsets.push_back(static_cast<std::uint16_t>(block.cellBytesPerRow[r]));
        }
        index.dbCellPositions[k] = static_cast<std::uint32_t>(nPosition);
        nPosition += block.dbCell.RecordSize();
    }
}

std::size_t Worksheet::RecordSize() const
{
    std::size_t nSize =
        bof.RecordSize() + index.RecordSize() + dimensions.RecordSize() + window2.RecordSize() + eof.RecordSize();
    for (const ColInfo& colInfo : colInfos) nSize += colInfo.RecordSize();
    for (const CellTable::RowBlock& block : cellTable.rowBlocks)
        nSize += block.RowsAndCellsSize() + block.dbCell.RecordSize();
    for (const MergedCells& merged : mergedCells) nSize += merged.RecordSize();
    return nSize;
}

std::size_t Worksheet::Write(std::uint8_t* pOut) const
{
    std::uint8_t* p = pOut;
    p += bof.Write(p);
    p += index.Write(p);
    for (const ColInfo& colInfo : colInfos) p += colInfo.Write(p);
    p += dimensions.Write(p);
    for (const CellTable::RowBlock& block : cellTable.rowBlocks) {
        for (const Row& row : block.rows) p += row.Write(p);
        for (const CellBlock& cell : block.cells) p += cell.Write(p);
        p += block.dbCell.Write(p);
    }
    p += window2.Write(p);
    for (const MergedCells& merged : mergedCells) p += merged.Write(p);
    p += eof.Write(p);
    return static_cast<std::size_t>(p - pOut);
}

}  // namespace XlsBiff
