#pragma once
// The settings file (.kvx): the names of the selected properties, as XML.
#include <list>
#include <string>
#include <string_view>

// Why a settings file gave no names.
struct SettingsFileProblem {
    enum class Kind { None, Unreadable, Empty, TooLarge, TooDeep, TooManyAttributes, NotXml, NotSettings };
    Kind kind = Kind::None;
    std::string csSystemError;  // Unreadable: the system's text
    int nLine = 0;              // NotXml: where the parser stopped
    int nColumn = 0;
};

// True when the whole file was written; a failure leaves any existing file unchanged and
// puts the reason in *pcsError.
bool SaveExtractionSettings(std::u16string csPath, const std::list<std::u16string>& lsPropsSel,
                            std::string* pcsError = nullptr);

// Appends the file's property names to lsNames; true when the file was read and parsed. A
// file that gave no names says why in *pProblem (a settings file with an empty selection is
// no problem).
bool LoadExtractionSettings(std::u16string csPath, std::list<std::u16string>& lsNames,
                            SettingsFileProblem* pProblem = nullptr);
// The same from the file's bytes.
bool ReadExtractionSettings(std::string_view bytes, std::list<std::u16string>& lsNames,
                            SettingsFileProblem* pProblem = nullptr);

// The line telling the user that a settings file was not read, why, and that nothing was
// preselected from it; empty when there was no problem.
std::u16string SettingsNotReadLine(const std::u16string& csPath, const SettingsFileProblem& problem);
