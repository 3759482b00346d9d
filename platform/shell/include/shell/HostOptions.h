#pragma once
// The command line of kvhost.
#include <optional>
#include <string>

#include "kv/KvUiLanguage.h"

struct HostOptions {
    std::string csModulePath;              // empty: the default next to the program
    std::optional<KvUiLanguage> language;  // --lang
    std::optional<std::string> csVerlan;   // --verlan
    std::string csScriptPath;              // --script: commands; empty: standard input
    std::string csUiScriptPath;            // --ui-script: the user's answers; empty: the terminal
    std::string csDrawingPath;             // empty: a new drawing
    bool bGui = false;                     // --gui: the main window, dialogs in windows
    std::string csScreenshotDir;           // --screenshot-dir: pictures of the windows, for review
    bool bTimes = false;                   // --times: each step's time and peak memory on stderr
};

// false with a one-line message for a command line kvhost cannot run with.
bool ParseHostOptions(int argc, const char* const* argv, HostOptions& options, std::string& error);
extern const char* const kHostUsage;

// The plug-in module kvhost loads by default: dataextraction.so in ../lib next to the program.
std::string DefaultModulePath(const std::string& executablePath);
