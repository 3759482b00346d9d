#pragma once
// The records that frame a worksheet's cells: index, dimensions, rows, DBCELL, window.
#include <string>
#include <vector>

#include "ExcelFormat/XlsBiffRecord.h"

namespace XlsBiff {

class Index : public Record {
public:
    Index() : Record(0x020B) {}
    std::size_t DataSize() const override { return 16 + 4 * dbCellPositions.size(); }

    std::uint32_t firstUsedRow = 0;
    std::uint32_t firstUnusedRow = 0;
    std::vector<std::uint32_t> dbCellPositions;  // stream position of each block's DBCELL

protected:
    void WriteData(ByteWriter& out) const override;
};

class ColInfo : public Record {
public:
    ColInfo() : Record(0x007D) {}
    std::size_t DataSize() const override { return 12; }

    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumn = 0;
    std::uint16_t width = 0x0924;  // 1/256 of a character width
    std::uint16_t xfIndex = 15;
    std::uint16_t options = 0;

protected:
    void WriteData(ByteWriter& out) const override;
};

class Dimensions : public Record {
public:
    Dimensions() : Record(0x0200) {}
    std::size_t DataSize() const override { return 14; }

    std::uint32_t firstUsedRow = 0;
    std::uint32_t lastUsedRowPlus1 = 0;
    std::uint16_t firstUsedColumn = 0;
    std::uint16_t lastUsedColumnPlus1 = 0;

protected:
    void WriteData(ByteWriter& out) const override;
};

class Row : public Record {
public:
    Row() : Record(0x0208) {}
    std::size_t DataSize() const override { return 16; }
    static constexpr std::size_t kRecordSize = 20;

    std::uint16_t rowIndex = 0;
    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumnPlus1 = 0;
    std::uint16_t height = 255;
    std::uint32_t options = 0x00000100;

protected:
    void WriteData(ByteWriter& out) const override;
};

class DBCell : public Record {
public:
    DBCell() : Record(0x00D7) {}
    std::size_t DataSize() const override { return 4 + 2 * rowOffsets.size(); }

    std::uint32_t offsetToFirstRow = 0;
    std::vector<std::uint16_t> rowOffsets;

protected:
    void WriteData(ByteWriter& out) const override;
};

class Window2 : public Record {
public:
    static constexpr std::uint16_t kSelected = 0x0200;
    Window2() : Record(0x023E) {}
    std::size_t DataSize() const override { return 18; }

    std::uint16_t options = 0x06B6;
    std::uint16_t firstVisibleRow = 0;
    std::uint16_t firstVisibleColumn = 0;
    std::uint16_t gridLineColourIndex = 0x40;
    std::uint16_t pageBreakPreviewMagnification = 0;
    std::uint16_t normalMagnification = 0;

protected:
    void WriteData(ByteWriter& out) const override;
};

class MergedCells : public Record {
public:
    static constexpr std::size_t kMaxRanges = 1027;
    MergedCells() : Record(0x00E5) {}
    std::size_t DataSize() const override { return 2 + 8 * ranges.size(); }

    struct Range {
        std::uint16_t firstRow, lastRow, firstColumn, lastColumn;
    };
    std::vector<Range> ranges;

protected:
    void WriteData(ByteWriter& out) const override;
};

}  // namespace XlsBiff
