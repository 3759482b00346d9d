#pragma once
// One editable cell of a sheet: its kind and value, merge extent and cell format.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class CellStyle;

class CellModel {
public:
    enum Kind { kEmpty = 0, kInteger = 1, kDouble = 2, kNarrowText = 3, kWideText = 4, kFormula = 5 };

    struct FormulaValue {
        std::vector<std::uint8_t> tokens;  // parsed formula tokens
        double cachedResult = 0.0;
    };

    // The longest text a cell holds; a longer one is cut when the workbook is saved, whole
    // characters kept.
    static constexpr std::size_t kMaxTextLength = 32767;
    // How many code units of the text a saved cell keeps.
    static std::size_t KeptTextLength(std::u16string_view csText);

    Kind GetKind() const { return static_cast<Kind>(m_value.index()); }

    // An empty text erases the cell.
    void SetText(std::u16string csText);
    void SetText(std::string csNarrowText);
    void SetInteger(std::int32_t value) { m_value.emplace<kInteger>(value); }
    void SetDouble(double value) { m_value.emplace<kDouble>(value); }
    void SetFormula(std::vector<std::uint8_t> tokens, double cachedResult);
    void Erase() { m_value.emplace<kEmpty>(); }

    const std::u16string* WideText() const { return std::get_if<kWideText>(&m_value); }
    const std::string* NarrowText() const { return std::get_if<kNarrowText>(&m_value); }
    const std::int32_t* Integer() const { return std::get_if<kInteger>(&m_value); }
    const double* Double() const { return std::get_if<kDouble>(&m_value); }
    const FormulaValue* Formula() const { return std::get_if<kFormula>(&m_value); }

    // Sets the cell's format to the style's XF record (registering it when new).
    void ApplyStyle(CellStyle& style);
    std::uint16_t XfIndex() const { return m_xfIndex; }

    void SetMerged(std::uint16_t nRows, std::uint16_t nColumns);
    std::uint16_t MergedRows() const { return m_mergedRows; }
    std::uint16_t MergedColumns() const { return m_mergedColumns; }

private:
    std::variant<std::monostate, std::int32_t, double, std::string, std::u16string, FormulaValue> m_value;
    std::uint16_t m_mergedRows = 1;
    std::uint16_t m_mergedColumns = 1;
    std::uint16_t m_xfIndex = 0;
};
