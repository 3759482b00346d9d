#include "kvgui/GuiText.h"

#include "kv/KvString.h"
#include "kv/KvUiLanguage.h"

wxString kvguiText(const std::u16string& text)
{
    return wxString::FromUTF8(kvToUtf8(text));
}

std::u16string kvguiText(const wxString& text)
{
    return kvFromUtf8(text.utf8_string());
}

const char* kvguiLanguageCode()
{
    switch (kvGetUiLanguage()) {
    case KvUiLanguage::Spanish: return "es";
    case KvUiLanguage::French: return "fr";
    default: return "en";
    }
}
