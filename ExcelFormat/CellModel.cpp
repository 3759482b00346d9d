#include "ExcelFormat/CellModel.h"

#include "ExcelFormat/CellStyle.h"

void CellModel::SetText(std::u16string csText)
{
    if (csText.empty())
        Erase();
    else
        m_value.emplace<kWideText>(std::move(csText));
}

void CellModel::SetText(std::string csNarrowText)
{
    if (csNarrowText.empty())
        Erase();
    else
        m_value.emplace<kNarrowText>(std::move(csNarrowText));
}

void CellModel::SetFormula(std::vector<std::uint8_t> tokens, double cachedResult)
{
    m_value.emplace<kFormula>(FormulaValue{std::move(tokens), cachedResult});
}

void CellModel::ApplyStyle(CellStyle& style)
{
    m_xfIndex = style.XfIndex();
}

void CellModel::SetMerged(std::uint16_t nRows, std::uint16_t nColumns)
{
    m_mergedRows = nRows < 1 ? 1 : nRows;
    m_mergedColumns = nColumns < 1 ? 1 : nColumns;
}

std::size_t CellModel::KeptTextLength(std::u16string_view csText)
{
    if (csText.size() <= kMaxTextLength) return csText.size();
    std::size_t n = kMaxTextLength;
    if (csText[n - 1] >= 0xD800 && csText[n - 1] < 0xDC00) --n;  // no half surrogate pair
    return n;
}
