#include "kv/KvUiLanguage.h"

#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

std::optional<KvUiLanguage>& overriddenLanguage()
{
    static std::optional<KvUiLanguage> language;
    return language;
}

}  // namespace

KvUiLanguage kvUiLanguageFromEnvironment()
{
    // The first variable that is set decides, as for the C library's message lookup.
    for (const char* pName : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* pValue = std::getenv(pName);
        if (!pValue || !*pValue) continue;
        const std::string_view value(pValue);
        if (value.starts_with("es")) return KvUiLanguage::Spanish;
        if (value.starts_with("fr")) return KvUiLanguage::French;
        return KvUiLanguage::English;
    }
    return KvUiLanguage::English;
}

KvUiLanguage kvGetUiLanguage()
{
    const auto& language = overriddenLanguage();
    if (language) return *language;
    // Asked for every text shown: the environment is read once per session.
    static const KvUiLanguage fromEnvironment = kvUiLanguageFromEnvironment();
    return fromEnvironment;
}

void kvSetUiLanguage(KvUiLanguage language)
{
    overriddenLanguage() = language;
}
