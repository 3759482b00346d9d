#pragma once
// The settings file (.kvx): the names of the selected properties, as XML.
#include <list>
#include <string>

// True when the whole file was written; a failure leaves any existing file unchanged.
bool SaveExtractionSettings(std::u16string csPath, const std::list<std::u16string>& lsPropsSel);

// Appends the file's property names to lsNames; true when the file was read and parsed.
bool LoadExtractionSettings(std::u16string csPath, std::list<std::u16string>& lsNames);
