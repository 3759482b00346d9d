#pragma once
// Re-formats numeric cell texts for the CSV file: general notation with six significant
// digits, exponents of at least three digits, the language's decimal mark and grouping.
#include <iterator>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>

#include "export/OutputLanguage.h"

class CsvNumberFormatter {
public:
    explicit CsvNumberFormatter(OutputLanguage language);

    // Appends the field's bytes for csText, which must pass the numeric-text test.
    void Append(std::string& csOut, std::u16string_view csText);
    void Append(std::string& csOut, double value);

private:
    using Inserter = std::back_insert_iterator<std::string>;
    // num_put straight into the line, without a stream buffer; the locale never owns it.
    struct StringNumPut : std::num_put<char, Inserter> {
        StringNumPut() : std::num_put<char, Inserter>(1) {}
    };

    std::ostringstream m_format;  // holds the flags and the locale with our conventions
    StringNumPut m_numPut;
    std::string m_csNarrow;
};
