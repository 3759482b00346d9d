#pragma once
// The cell records of a row block, and the records a formula brings with it.
#include <array>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "ExcelFormat/XlsBiffRecord.h"

namespace XlsBiff {

class CellRecord : public Record {
public:
    CellRecord(std::uint16_t code, std::uint16_t row, std::uint16_t column, std::uint16_t xf)
        : Record(code), row(row), column(column), xfIndex(xf)
    {
    }
    std::uint16_t row, column, xfIndex;

protected:
    void WriteAddress(ByteWriter& out) const
    {
        out.U16(row);
        out.U16(column);
        out.U16(xfIndex);
    }
};

class Blank : public CellRecord {
public:
    Blank(std::uint16_t row, std::uint16_t column, std::uint16_t xf) : CellRecord(0x0201, row, column, xf) {}
    std::size_t DataSize() const override { return 6; }

protected:
    void WriteData(ByteWriter& out) const override { WriteAddress(out); }
};

class LabelSST : public CellRecord {
public:
    LabelSST(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint32_t sstIndex)
        : CellRecord(0x00FD, row, column, xf), sstIndex(sstIndex)
    {
    }
    std::size_t DataSize() const override { return 10; }
    std::uint32_t sstIndex;

protected:
    void WriteData(ByteWriter& out) const override;
};

class RK : public CellRecord {
public:
    RK(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint32_t rk)
        : CellRecord(0x027E, row, column, xf), rkValue(rk)
    {
    }
    std::size_t DataSize() const override { return 10; }
    std::uint32_t rkValue;

protected:
    void WriteData(ByteWriter& out) const override;
};

// Adjacent RK cells of one row; column is the first one's.
class MulRK : public CellRecord {
public:
    struct Item {
        std::uint16_t xfIndex;
        std::uint32_t rkValue;
    };
    MulRK(std::uint16_t row, std::uint16_t firstColumn) : CellRecord(0x00BD, row, firstColumn, 0) {}
    std::size_t DataSize() const override { return 6 + 6 * items.size(); }
    std::vector<Item> items;

protected:
    void WriteData(ByteWriter& out) const override;
};

class Number : public CellRecord {
public:
    Number(std::uint16_t row, std::uint16_t column, std::uint16_t xf, double value)
        : CellRecord(0x0203, row, column, xf), value(value)
    {
    }
    std::size_t DataSize() const override { return 14; }
    double value;

protected:
    void WriteData(ByteWriter& out) const override;
};

class BoolErr : public CellRecord {
public:
    BoolErr(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint8_t value, bool bError)
        : CellRecord(0x0205, row, column, xf), value(value), bError(bError)
    {
    }
    std::size_t DataSize() const override { return 8; }
    std::uint8_t value;  // 0/1, or an error code (0x07 #DIV/0! ...)
    bool bError;

protected:
    void WriteData(ByteWriter& out) const override;
};

// Adjacent blank cells of one row; column is the first one's.
class MulBlank : public CellRecord {
public:
    MulBlank(std::uint16_t row, std::uint16_t firstColumn) : CellRecord(0x00BE, row, firstColumn, 0) {}
    std::size_t DataSize() const override { return 6 + 2 * xfIndexes.size(); }
    std::vector<std::uint16_t> xfIndexes;

protected:
    void WriteData(ByteWriter& out) const override;
};

// A cell range and tokens shared by several formula cells (ARRAY, SHRFMLA).
class RangeFormula : public Record {
public:
    RangeFormula(std::uint16_t code) : Record(code) {}
    std::uint16_t firstRow = 0, lastRow = 0;
    std::uint8_t firstColumn = 0, lastColumn = 0;
    std::vector<std::uint8_t> tokens;

protected:
    void WriteRange(ByteWriter& out) const;
};

class Array : public RangeFormula {
public:
    Array() : RangeFormula(0x0221) {}
    std::size_t DataSize() const override { return 14 + tokens.size(); }
    std::uint16_t options = 0;

protected:
    void WriteData(ByteWriter& out) const override;
};

class ShrFmla : public RangeFormula {
public:
    ShrFmla() : RangeFormula(0x04BC) {}
    std::size_t DataSize() const override { return 10 + tokens.size(); }
    std::uint8_t useCount = 0;

protected:
    explicit ShrFmla(std::uint16_t code) : RangeFormula(code) {}
    void WriteData(ByteWriter& out) const override;
};

// The same record under the code older writers used.
class ShrFmla1 : public ShrFmla {
public:
    ShrFmla1() : ShrFmla(0x00BC) {}
};

class Table : public Record {
public:
    Table() : Record(0x0236) {}
    std::size_t DataSize() const override { return 16; }
    std::uint16_t firstRow = 0, lastRow = 0;
    std::uint8_t firstColumn = 0, lastColumn = 0;
    std::uint16_t options = 0;
    std::uint16_t rowInputRow = 0, rowInputColumn = 0, columnInputRow = 0, columnInputColumn = 0;

protected:
    void WriteData(ByteWriter& out) const override;
};

// The text result of the formula before it.
class String : public Record {
public:
    String() : Record(0x0207) {}
    std::size_t DataSize() const override;
    std::u16string text;

protected:
    void WriteData(ByteWriter& out) const override;
};

class Formula : public CellRecord {
public:
    Formula(std::uint16_t row, std::uint16_t column, std::uint16_t xf) : CellRecord(0x0006, row, column, xf) {}
    std::size_t DataSize() const override { return 22 + tokens.size(); }
    // The formula and the records that follow it (ARRAY, SHRFMLA, TABLE, STRING).
    std::size_t RecordSize() const override;
    std::size_t Write(std::uint8_t* pOut) const override;

    void SetNumberResult(double value);
    void SetBooleanResult(bool bValue);
    void SetErrorResult(std::uint8_t code);
    void SetTextResult(std::u16string text);  // adds the STRING record

    std::array<std::uint8_t, 8> result{};
    std::uint16_t options = 0x0002;  // recalculate on load
    std::vector<std::uint8_t> tokens;
    std::vector<std::unique_ptr<Record>> following;

protected:
    void WriteData(ByteWriter& out) const override;
};

// One cell record of a row block, held by value: a full sheet has 655,360 of them. The rare
// formula, which brings records of its own, is held apart.
class CellBlock {
public:
    using Blank = XlsBiff::Blank;
    using LabelSST = XlsBiff::LabelSST;
    using RK = XlsBiff::RK;
    using MulRK = XlsBiff::MulRK;
    using Number = XlsBiff::Number;
    using BoolErr = XlsBiff::BoolErr;
    using MulBlank = XlsBiff::MulBlank;
    using Formula = XlsBiff::Formula;

    template <class Cell>
    requires std::is_base_of_v<CellRecord, Cell> CellBlock(Cell cell) : m_cell(std::move(cell)) {}
    CellBlock(std::unique_ptr<Formula> pFormula) : m_cell(std::move(pFormula)) {}

    const CellRecord& Record() const
    {
        return std::visit(
            [](const auto& cell) -> const CellRecord& {
                if constexpr (std::is_same_v<std::decay_t<decltype(cell)>, std::unique_ptr<Formula>>)
                    return *cell;
                else
                    return cell;
            },
            m_cell);
    }
    std::size_t RecordSize() const { return Record().RecordSize(); }
    std::size_t Write(std::uint8_t* pOut) const { return Record().Write(pOut); }

private:
    std::variant<Blank, LabelSST, RK, Number, BoolErr, MulRK, MulBlank, std::unique_ptr<Formula>> m_cell;
};

}  // namespace XlsBiff
