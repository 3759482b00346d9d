#include "ExcelFormat/CellStyle.h"

#include "ExcelFormat/CellStyleRegistry.h"

void CellStyle::SetFont(const FontSpec& font)
{
    fontIndex = m_pRegistry->FontIndex(font);
    m_bCacheValid = false;
}

void CellStyle::SetNumberFormat(const std::u16string& csFormat)
{
    formatIndex = m_pRegistry->FormatIndex(csFormat);
    m_bCacheValid = false;
}

void CellStyle::SetAlignment(std::uint8_t value)
{
    alignment = value;
    m_bCacheValid = false;
}

std::uint16_t CellStyle::XfIndex()
{
    if (!m_bCacheValid) {
        m_cachedXfIndex = m_pRegistry->XfIndex(*this);
        m_bCacheValid = true;
    }
    return m_cachedXfIndex;
}
