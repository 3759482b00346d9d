#include "ExcelFormat/XlsBiffGlobalsRecords.h"

namespace XlsBiff {

void BOF::WriteData(ByteWriter& out) const
{
    out.U16(version);
    out.U16(type);
    out.U16(buildIdentifier);
    out.U16(buildYear);
    out.U32(fileHistoryFlags);
    out.U32(lowestVersion);
}

void Window1::WriteData(ByteWriter& out) const
{
    for (std::uint16_t v : {horizontalPosition, verticalPosition, width, height, options, activeSheet, firstVisibleTab,
                            selectedSheetCount, tabBarWidth})
        out.U16(v);
}

std::size_t Font::DataSize() const
{
    return 14 + 2 + 2 * name.size();
}

void Font::WriteData(ByteWriter& out) const
{
    out.U16(height);
    out.U16(options);
    out.U16(colourIndex);
    out.U16(weight);
    out.U16(escapement);
    out.U8(underline);
    out.U8(family);
    out.U8(characterSet);
    out.U8(reserved);
    out.U8(static_cast<std::uint8_t>(name.size()));
    out.U8(1);
    out.Chars(name, true);
}

std::size_t Format::DataSize() const
{
    return 2 + 3 + 2 * text.size();
}

void Format::WriteData(ByteWriter& out) const
{
    out.U16(index);
    out.U16(static_cast<std::uint16_t>(text.size()));
    out.U8(1);
    out.Chars(text, true);
}

void XF::WriteData(ByteWriter& out) const
{
    out.U16(fontIndex);
    out.U16(formatIndex);
    out.U16(typeAndProtection);
    out.U8(alignment);
    out.U8(rotation);
    out.U8(textProperties);
    out.U8(usedAttributes);
    out.U32(borderLines);
    out.U32(colourWord1);
    out.U16(colourWord2);
}

std::size_t Style::DataSize() const
{
    return IsBuiltIn() ? 4 : 2 + 3 + 2 * name.size();
}

void Style::WriteData(ByteWriter& out) const
{
    out.U16(xfIndex);
    if (IsBuiltIn()) {
        out.U8(identifier);
        out.U8(level);
        return;
    }
    out.U16(static_cast<std::uint16_t>(name.size()));
    out.U8(1);
    out.Chars(name, true);
}

std::size_t BoundSheet::DataSize() const
{
    return 6 + 2 + (NeedsWideChars(name) ? 2 : 1) * name.size();
}

void BoundSheet::WriteData(ByteWriter& out) const
{
    const bool bWide = NeedsWideChars(name);
    out.U32(streamPosition);
    out.U8(visibility);
    out.U8(sheetType);
    out.U8(static_cast<std::uint8_t>(name.size()));
    out.U8(bWide ? 1 : 0);
    out.Chars(name, bWide);
}

void ExtSST::WriteData(ByteWriter& out) const
{
    out.U16(stringsPerBucket);
    for (const Bucket& bucket : buckets) {
        out.U32(bucket.streamPosition);
        out.U16(bucket.offsetInRecord);
        out.U16(0);
    }
}

}  // namespace XlsBiff
