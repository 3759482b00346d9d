#pragma once
// The workbook globals: everything of the stream before the first worksheet.
#include <vector>

#include "ExcelFormat/XlsBiffGlobalsRecords.h"
#include "ExcelFormat/XlsBiffSharedStringTable.h"

namespace XlsBiff {

struct Workbook {
    using Window1 = XlsBiff::Window1;
    using Font = XlsBiff::Font;
    using Format = XlsBiff::Format;
    using XF = XlsBiff::XF;
    using Style = XlsBiff::Style;
    using BoundSheet = XlsBiff::BoundSheet;
    using SharedStringTable = XlsBiff::SharedStringTable;
    using ExtSST = XlsBiff::ExtSST;

    BOF bof{BOF::kGlobals};
    Window1 window1;
    std::vector<Font> fonts;
    std::vector<Format> formats;
    std::vector<XF> xfs;
    std::vector<Style> styles;
    std::vector<BoundSheet> boundSheets;
    SharedStringTable sst;
    ExtSST extSst;
    EndOfFile eof;

    // Only custom formats (index 164 and up) are stored; the others are built in.
    static bool IsWrittenFormat(const Format& format) { return format.index >= 164; }

    std::size_t RecordSize() const;
    std::size_t Write(std::uint8_t* pOut) const;
};

}  // namespace XlsBiff
