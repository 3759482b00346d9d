#pragma once
// The records of a BIFF8 stream's frame and of the workbook globals.
#include <string>

#include "ExcelFormat/XlsBiffRecord.h"

namespace XlsBiff {

class BOF : public Record {
public:
    static constexpr std::uint16_t kGlobals = 0x0005;
    static constexpr std::uint16_t kWorksheet = 0x0010;
    explicit BOF(std::uint16_t type = kGlobals) : Record(0x0809), type(type) {}
    std::size_t DataSize() const override { return 16; }

    std::uint16_t version = 0x0600;
    std::uint16_t type;
    std::uint16_t buildIdentifier = 0x19A0;
    std::uint16_t buildYear = 0x07CD;
    std::uint32_t fileHistoryFlags = 0x0000C0C9;
    std::uint32_t lowestVersion = 0x00000306;

protected:
    void WriteData(ByteWriter& out) const override;
};

class EndOfFile : public Record {
public:
    EndOfFile() : Record(0x000A) {}
    std::size_t DataSize() const override { return 0; }

protected:
    void WriteData(ByteWriter&) const override {}
};

class Window1 : public Record {
public:
    Window1() : Record(0x003D) {}
    std::size_t DataSize() const override { return 18; }

    std::uint16_t horizontalPosition = 120;
    std::uint16_t verticalPosition = 120;
    std::uint16_t width = 15135;
    std::uint16_t height = 9300;
    std::uint16_t options = 0x0038;
    std::uint16_t activeSheet = 0;
    std::uint16_t firstVisibleTab = 0;
    std::uint16_t selectedSheetCount = 1;
    std::uint16_t tabBarWidth = 600;

protected:
    void WriteData(ByteWriter& out) const override;
};

class Font : public Record {
public:
    Font() : Record(0x0031) {}
    std::size_t DataSize() const override;

    std::uint16_t height = 200;
    std::uint16_t options = 0;
    std::uint16_t colourIndex = 0x7FFF;
    std::uint16_t weight = 400;
    std::uint16_t escapement = 0;
    std::uint8_t underline = 0;
    std::uint8_t family = 0;
    std::uint8_t characterSet = 0;
    std::uint8_t reserved = 0;
    std::u16string name = u"Arial";  // short string, always UTF-16

protected:
    void WriteData(ByteWriter& out) const override;
};

class Format : public Record {
public:
    Format() : Record(0x041E) {}
    std::size_t DataSize() const override;

    std::uint16_t index = 0;
    std::u16string text = u"General";

protected:
    void WriteData(ByteWriter& out) const override;
};

class XF : public Record {
public:
    XF() : Record(0x00E0) {}
    std::size_t DataSize() const override { return 20; }

    std::uint16_t fontIndex = 0;
    std::uint16_t formatIndex = 0;
    std::uint16_t typeAndProtection = 0xFFF5;
    std::uint8_t alignment = 0x20;
    std::uint8_t rotation = 0;
    std::uint8_t textProperties = 0;
    std::uint8_t usedAttributes = 0;
    std::uint32_t borderLines = 0;
    std::uint32_t colourWord1 = 0;
    std::uint16_t colourWord2 = 0x20C0;

protected:
    void WriteData(ByteWriter& out) const override;
};

class Style : public Record {
public:
    Style() : Record(0x0293) {}
    std::size_t DataSize() const override;
    bool IsBuiltIn() const { return (xfIndex & 0x8000) != 0; }

    std::uint16_t xfIndex = 0x8000;  // built-in style on XF 0
    std::uint8_t identifier = 0;     // built-in styles only
    std::uint8_t level = 0xFF;       // built-in styles only
    std::u16string name;             // user styles only

protected:
    void WriteData(ByteWriter& out) const override;
};

class BoundSheet : public Record {
public:
    BoundSheet() : Record(0x0085) {}
    std::size_t DataSize() const override;

    std::uint32_t streamPosition = 0;  // of the sheet's BOF
    std::uint8_t visibility = 0;
    std::uint8_t sheetType = 0;
    std::u16string name = u"Sheet1";

protected:
    void WriteData(ByteWriter& out) const override;
};

// Kept with the globals for completeness; this writer never emits it.
class ExtSST : public Record {
public:
    ExtSST() : Record(0x00FF) {}
    std::size_t DataSize() const override { return 2 + 8 * buckets.size(); }

    struct Bucket {
        std::uint32_t streamPosition = 0;
        std::uint16_t offsetInRecord = 0;
    };
    std::uint16_t stringsPerBucket = 8;
    std::vector<Bucket> buckets;

protected:
    void WriteData(ByteWriter& out) const override;
};

}  // namespace XlsBiff
