#pragma once
// Turns fonts, number formats and cell styles into the workbook's FONT, FORMAT and XF
// records, reusing an existing record whenever one matches.
#include <cstdint>
#include <map>
#include <string>

#include "ExcelFormat/FontSpec.h"

class BasicExcel;
class CellStyle;

class CellStyleRegistry {
public:
    static constexpr std::uint16_t kFirstCustomFormat = 164;

    explicit CellStyleRegistry(BasicExcel& workbook);

    std::uint16_t FontIndex(const FontSpec& font);
    std::uint16_t FormatIndex(const std::u16string& csFormat);
    std::uint16_t XfIndex(const CellStyle& style);

private:
    BasicExcel* m_pWorkbook;
    std::map<std::uint16_t, std::u16string> m_formats;  // built-in and the workbook's own
    std::uint16_t m_nextCustomFormat = kFirstCustomFormat;
};
