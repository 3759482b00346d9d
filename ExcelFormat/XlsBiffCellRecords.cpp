#include "ExcelFormat/XlsBiffCellRecords.h"

#include <cstring>

namespace XlsBiff {

void LabelSST::WriteData(ByteWriter& out) const
{
    WriteAddress(out);
    out.U32(sstIndex);
}

void RK::WriteData(ByteWriter& out) const
{
    WriteAddress(out);
    out.U32(rkValue);
}

void MulRK::WriteData(ByteWriter& out) const
{
    out.U16(row);
    out.U16(column);
    for (const Item& item : items) {
        out.U16(item.xfIndex);
        out.U32(item.rkValue);
    }
    out.U16(static_cast<std::uint16_t>(column + items.size() - 1));
}

void Number::WriteData(ByteWriter& out) const
{
    WriteAddress(out);
    out.F64(value);
}

void BoolErr::WriteData(ByteWriter& out) const
{
    WriteAddress(out);
    out.U8(value);
    out.U8(bError ? 1 : 0);
}

void MulBlank::WriteData(ByteWriter& out) const
{
    out.U16(row);
    out.U16(column);
    for (std::uint16_t xf : xfIndexes) out.U16(xf);
    out.U16(static_cast<std::uint16_t>(column + xfIndexes.size() - 1));
}

void RangeFormula::WriteRange(ByteWriter& out) const
{
    out.U16(firstRow);
    out.U16(lastRow);
    out.U8(firstColumn);
    out.U8(lastColumn);
}

void Array::WriteData(ByteWriter& out) const
{
    WriteRange(out);
    out.U16(options);
    out.U32(0);
    out.U16(static_cast<std::uint16_t>(tokens.size()));
    out.Bytes(tokens.data(), tokens.size());
}

void ShrFmla::WriteData(ByteWriter& out) const
{
    WriteRange(out);
    out.U8(0);
    out.U8(useCount);
    out.U16(static_cast<std::uint16_t>(tokens.size()));
    out.Bytes(tokens.data(), tokens.size());
}

void Table::WriteData(ByteWriter& out) const
{
    out.U16(firstRow);
    out.U16(lastRow);
    out.U8(firstColumn);
    out.U8(lastColumn);
    out.U16(options);
    out.U16(rowInputRow);
    out.U16(rowInputColumn);
    out.U16(columnInputRow);
    out.U16(columnInputColumn);
}

std::size_t String::DataSize() const
{
    return 3 + (NeedsWideChars(text) ? 2 : 1) * text.size();
}

void String::WriteData(ByteWriter& out) const
{
    const bool bWide = NeedsWideChars(text);
    out.U16(static_cast<std::uint16_t>(text.size()));
    out.U8(bWide ? 1 : 0);
    out.Chars(text, bWide);
}

std::size_t Formula::RecordSize() const
{
    std::size_t nSize = Record::RecordSize();
    for (const auto& pRecord : following) nSize += pRecord->RecordSize();
    return nSize;
}

std::size_t Formula::Write(std::uint8_t* pOut) const
{
    std::size_t nWritten = Record::Write(pOut);
    for (const auto& pRecord : following) nWritten += pRecord->Write(pOut + nWritten);
    return nWritten;
}

void Formula::SetNumberResult(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i) result[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Non-numeric results: a kind byte, a value byte at 2, and 0xFFFF in the top word.
void Formula::SetBooleanResult(bool bValue)
{
    result = {0x01, 0, static_cast<std::uint8_t>(bValue ? 1 : 0), 0, 0, 0, 0xFF, 0xFF};
}

void Formula::SetErrorResult(std::uint8_t code)
{
    result = {0x02, 0, code, 0, 0, 0, 0xFF, 0xFF};
}

void Formula::SetTextResult(std::u16string text)
{
    result = {0x00, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    auto pString = std::make_unique<String>();
    pString->text = std::move(text);
    following.push_back(std::move(pString));
}

void Formula::WriteData(ByteWriter& out) const
{
    WriteAddress(out);
    out.Bytes(result.data(), result.size());
    out.U16(options);
    out.U32(0);
    out.U16(static_cast<std::uint16_t>(tokens.size()));
    out.Bytes(tokens.data(), tokens.size());
}

}  // namespace XlsBiff
