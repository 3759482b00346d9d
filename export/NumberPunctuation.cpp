#include "export/NumberPunctuation.h"

std::locale MakeNumberLocale(OutputLanguage language)
{
    return std::locale(std::locale::classic(), new NumberPunctuation(language));
}
