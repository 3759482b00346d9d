#include "export/CsvNumberFormatter.h"

#include <cstdlib>
#include <locale.h>

#include "export/NumberPunctuation.h"

CsvNumberFormatter::CsvNumberFormatter(OutputLanguage language)
{
    m_stream.imbue(MakeNumberLocale(language));
}

std::string CsvNumberFormatter::Format(std::u16string_view csText)
{
    // The numeric test admits only ASCII digits, signs, '.', 'e' and 'E'.
    std::string csNarrow;
    csNarrow.reserve(csText.size());
    for (char16_t c : csText) csNarrow.push_back(static_cast<char>(c));
    // The C conventions whatever the process locale; overflow gives infinity as on Windows.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return Format(strtod_l(csNarrow.c_str(), nullptr, cLocale));
}

std::string CsvNumberFormatter::Format(double value)
{
    m_stream.str(std::string());
    m_stream << value;
    std::string csOut = m_stream.str();
    // The stream writes at least two exponent digits; the files have at least three.
    const std::size_t posE = csOut.find('e');
    if (posE != std::string::npos && posE + 1 < csOut.size()) {
        const std::size_t posDigits = posE + 2;   // after the sign
        const std::size_t nDigits = csOut.size() - posDigits;
        if (nDigits < 3) csOut.insert(posDigits, 3 - nDigits, '0');
    }
    return csOut;
}
