#pragma once
// The string table of the plug-in's user-interface texts in its three languages.
#include <vector>

#include "kv/KvUiLanguage.h"

// The text of the id in the language, or nullptr when the table has none.
const char16_t* FindStringTableText(KvUiLanguage language, unsigned int id);
// Every id the table has, ascending.
std::vector<unsigned int> StringTableIds();
