#pragma once
// Wide texts of the dialogs as wx strings and back.
#include <string>

#include <wx/string.h>

wxString kvguiText(const std::u16string& text);
std::u16string kvguiText(const wxString& text);
// The user's language as the pictures' names give it: "en", "es" or "fr".
const char* kvguiLanguageCode();
