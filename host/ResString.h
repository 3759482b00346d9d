#pragma once
// Localised user-interface texts, looked up by id in the host's user-interface language.
#include <string>
#include <vector>

// The text of the id, or "???" when the string table has none.
std::u16string LoadResString(unsigned int id);

// The text of the id with its positional inserts "%1".."%9" replaced by the arguments in
// order; "%%" gives one "%". Inserted texts are never rescanned, so a "%" in an argument
// stays as it is. "???" when the string table has no text for the id.
std::u16string FormatResString(unsigned int id, const std::vector<std::u16string>& inserts);
