#include "export/CsvNumberFormatter.h"

#include <cstdlib>
#include <locale.h>

#include "export/NumberPunctuation.h"

CsvNumberFormatter::CsvNumberFormatter(OutputLanguage language)
{
    m_format.imbue(MakeNumberLocale(language));
}

void CsvNumberFormatter::Append(std::string& csOut, std::u16string_view csText)
{
    // The numeric test admits only ASCII digits, signs, '.', 'e' and 'E'.
    m_csNarrow.assign(csText.size(), '\0');
    for (std::size_t i = 0; i < csText.size(); ++i) m_csNarrow[i] = static_cast<char>(csText[i]);
    // The C conventions whatever the process locale; overflow gives infinity as on Windows.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    Append(csOut, strtod_l(m_csNarrow.c_str(), nullptr, cLocale));
}

void CsvNumberFormatter::Append(std::string& csOut, double value)
{
    const std::size_t nStart = csOut.size();
    m_numPut.put(std::back_inserter(csOut), m_format, ' ', value);
    // The stream writes at least two exponent digits; the files have at least three.
    const std::size_t posE = csOut.find('e', nStart);
    if (posE != std::string::npos && posE + 1 < csOut.size()) {
        const std::size_t posDigits = posE + 2;  // after the sign
        const std::size_t nDigits = csOut.size() - posDigits;
        if (nDigits < 3) csOut.insert(posDigits, 3 - nDigits, '0');
    }
}
