#pragma once
// A cell format: font, number format, alignment, borders and colours. Resolves lazily to
// the index of a matching XF record of the workbook.
#include <cstdint>
#include <string>

#include "ExcelFormat/FontSpec.h"

class CellStyleRegistry;

class CellStyle {
public:
    explicit CellStyle(CellStyleRegistry& registry) : m_pRegistry(&registry) {}

    void SetFont(const FontSpec& font);
    // A built-in or custom number format such as u"0.00".
    void SetNumberFormat(const std::u16string& csFormat);
    void SetAlignment(std::uint8_t alignment);

    // The cached XF index; when invalid, the registry's index for this style, then cached.
    std::uint16_t XfIndex();

    std::uint16_t fontIndex = 0;
    std::uint16_t formatIndex = 0;
    std::uint8_t alignment = 0x20;
    std::uint8_t rotation = 0;
    std::uint8_t textProperties = 0;
    std::uint32_t borderLines = 0;
    std::uint32_t colourWord1 = 0;
    std::uint16_t colourWord2 = 0x20C0;

private:
    CellStyleRegistry* m_pRegistry;
    // An untouched style is the default cell format, XF 0, and registers nothing.
    std::uint16_t m_cachedXfIndex = 0;
    bool m_bCacheValid = true;
};
