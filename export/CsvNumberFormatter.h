#pragma once
// Re-formats numeric cell texts for the CSV file: general notation with six significant
// digits, exponents of at least three digits, the language's decimal mark and grouping.
#include <sstream>
#include <string>
#include <string_view>

#include "export/OutputLanguage.h"

class CsvNumberFormatter {
public:
    explicit CsvNumberFormatter(OutputLanguage language);

    // csText must pass the numeric-text test; the result is the field's bytes.
    std::string Format(std::u16string_view csText);
    std::string Format(double value);

private:
    std::ostringstream m_stream;
};
