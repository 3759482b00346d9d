#pragma once
// The string table of the plug-in's user-interface texts in its three languages.
#include "kv/KvUiLanguage.h"

// The text of the id in the language, or nullptr when the table has none.
const char16_t* FindStringTableText(KvUiLanguage language, unsigned int id);
