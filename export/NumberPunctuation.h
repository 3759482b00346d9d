#pragma once
// Number conventions of the output languages as our own facet, so that the files never
// depend on the locales installed on the machine.
#include <locale>
#include <string>

#include "export/OutputLanguage.h"

class NumberPunctuation : public std::numpunct<char> {
public:
    explicit NumberPunctuation(OutputLanguage language) : m_language(language) {}

protected:
    // French: decimal comma and the no-break space (0xA0) between digit groups.
    char do_decimal_point() const override { return m_language == OutputLanguage::French ? ',' : '.'; }
    char do_thousands_sep() const override { return m_language == OutputLanguage::French ? '\xA0' : ','; }
    std::string do_grouping() const override { return "\3"; }

private:
    OutputLanguage m_language;
};

// The classic locale with the language's number conventions.
std::locale MakeNumberLocale(OutputLanguage language);
