#include "ExcelFormat/CellStyleRegistry.h"

#include "ExcelFormat/BasicExcel.h"
#include "ExcelFormat/CellStyle.h"

namespace {

// BIFF8's built-in number formats (those every reader knows without a FORMAT record).
const std::map<std::uint16_t, std::u16string>& BuiltInFormats()
{
    static const std::map<std::uint16_t, std::u16string> formats = {
        {0, u"General"},
        {1, u"0"},
        {2, u"0.00"},
        {3, u"#,##0"},
        {4, u"#,##0.00"},
        {5, u"\"$\"#,##0_);\\(\"$\"#,##0\\)"},
        {6, u"\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)"},
        {7, u"\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)"},
        {8, u"\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)"},
        {9, u"0%"},
        {10, u"0.00%"},
        {11, u"0.00E+00"},
        {12, u"# ?/?"},
        {13,
         u"# ??"
         u"/??"},  // split: "??/" would read as a trigraph
        {14, u"M/D/YY"},
        {15, u"D-MMM-YY"},
        {16, u"D-MMM"},
        {17, u"MMM-YY"},
        {18, u"h:mm AM/PM"},
        {19, u"h:mm:ss AM/PM"},
        {20, u"h:mm"},
        {21, u"h:mm:ss"},
        {22, u"M/D/YY h:mm"},
        {37, u"_(#,##0_);(#,##0)"},
        {38, u"_(#,##0_);[Red](#,##0)"},
        {39, u"_(#,##0.00_);(#,##0.00)"},
        {40, u"_(#,##0.00_);[Red](#,##0.00)"},
        {41, u"_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
        {42, u"_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)"},
        {43, u"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"},
        {44, u"_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"??_);_(@_)"},
        {45, u"mm:ss"},
        {46, u"[h]:mm:ss"},
        {47, u"mm:ss.0"},
        {48, u"##0.0E+0"},
        {49, u"@"},
    };
    return formats;
}

// BIFF8 has no font index 4: the fifth FONT record and those after it are one up.
std::uint16_t FontIndexOfPosition(std::size_t nPosition)
{
    return static_cast<std::uint16_t>(nPosition >= 4 ? nPosition + 1 : nPosition);
}

}  // namespace

CellStyleRegistry::CellStyleRegistry(BasicExcel& workbook) : m_pWorkbook(&workbook), m_formats(BuiltInFormats())
{
    for (const XlsBiff::Format& format : workbook.Globals().formats) {
        m_formats[format.index] = format.text;
        if (format.index >= m_nextCustomFormat) m_nextCustomFormat = static_cast<std::uint16_t>(format.index + 1);
    }
}

std::uint16_t CellStyleRegistry::FontIndex(const FontSpec& font)
{
    std::vector<XlsBiff::Font>& veFonts = m_pWorkbook->Globals().fonts;
    for (std::size_t i = 0; i < veFonts.size(); ++i) {
        const XlsBiff::Font& record = veFonts[i];
        if (record.name == font.name && record.height == font.height && record.weight == font.weight &&
            record.options == font.options && record.colourIndex == font.colourIndex &&
            record.escapement == font.escapement && record.underline == font.underline &&
            record.family == font.family && record.characterSet == font.characterSet)
            return FontIndexOfPosition(i);
    }
    XlsBiff::Font record;
    record.height = font.height;
    record.options = font.options;
    record.colourIndex = font.colourIndex;
    record.weight = font.weight;
    record.escapement = font.escapement;
    record.underline = font.underline;
    record.family = font.family;
    record.characterSet = font.characterSet;
    record.name = font.name;
    veFonts.push_back(record);
    return FontIndexOfPosition(veFonts.size() - 1);
}

std::uint16_t CellStyleRegistry::FormatIndex(const std::u16string& csFormat)
{
    for (const auto& [index, text] : m_formats)
        if (text == csFormat) return index;
    XlsBiff::Format record;
    record.index = m_nextCustomFormat++;
    record.text = csFormat;
    m_pWorkbook->Globals().formats.push_back(record);
    m_formats[record.index] = csFormat;
    return record.index;
}

std::uint16_t CellStyleRegistry::XfIndex(const CellStyle& style)
{
    std::vector<XlsBiff::XF>& veXfs = m_pWorkbook->Globals().xfs;
    for (std::size_t i = 0; i < veXfs.size(); ++i) {
        const XlsBiff::XF& record = veXfs[i];
        if (record.fontIndex == style.fontIndex && record.formatIndex == style.formatIndex &&
            record.alignment == style.alignment && record.rotation == style.rotation &&
            record.textProperties == style.textProperties && record.borderLines == style.borderLines &&
            record.colourWord1 == style.colourWord1 && record.colourWord2 == style.colourWord2)
            return static_cast<std::uint16_t>(i);
    }
    XlsBiff::XF record;
    record.fontIndex = style.fontIndex;
    record.formatIndex = style.formatIndex;
    record.alignment = style.alignment;
    record.rotation = style.rotation;
    record.textProperties = style.textProperties;
    record.borderLines = style.borderLines;
    record.colourWord1 = style.colourWord1;
    record.colourWord2 = style.colourWord2;
    // A cell XF (not a style one), unlocked, whose parent is style XF 7.
    record.typeAndProtection = 0x0078;
    veXfs.push_back(record);
    return static_cast<std::uint16_t>(veXfs.size() - 1);
}
