#include "ExcelFormat/XlsBiffSheetRecords.h"

namespace XlsBiff {

void Index::WriteData(ByteWriter& out) const
{
    out.U32(0);
    out.U32(firstUsedRow);
    out.U32(firstUnusedRow);
    out.U32(0);
    for (std::uint32_t nPosition : dbCellPositions) out.U32(nPosition);
}

void ColInfo::WriteData(ByteWriter& out) const
{
    out.U16(firstColumn);
    out.U16(lastColumn);
    out.U16(width);
    out.U16(xfIndex);
    out.U16(options);
    out.U16(0);
}

void Dimensions::WriteData(ByteWriter& out) const
{
    out.U32(firstUsedRow);
    out.U32(lastUsedRowPlus1);
    out.U16(firstUsedColumn);
    out.U16(lastUsedColumnPlus1);
    out.U16(0);
}

void Row::WriteData(ByteWriter& out) const
{
    out.U16(rowIndex);
    out.U16(firstColumn);
    out.U16(lastColumnPlus1);
    out.U16(height);
    out.U16(0);
    out.U16(0);
    out.U32(options);
}

void DBCell::WriteData(ByteWriter& out) const
{
    out.U32(offsetToFirstRow);
    for (std::uint16_t nOffset : rowOffsets) out.U16(nOffset);
}

void Window2::WriteData(ByteWriter& out) const
{
    out.U16(options);
    out.U16(firstVisibleRow);
    out.U16(firstVisibleColumn);
    out.U16(gridLineColourIndex);
    out.U16(0);
    out.U16(pageBreakPreviewMagnification);
    out.U16(normalMagnification);
    out.U32(0);
}

void MergedCells::WriteData(ByteWriter& out) const
{
    out.U16(static_cast<std::uint16_t>(ranges.size()));
    for (const Range& range : ranges) {
        out.U16(range.firstRow);
        out.U16(range.lastRow);
        out.U16(range.firstColumn);
        out.U16(range.lastColumn);
    }
}

}  // namespace XlsBiff
