#include "shell/HostOptions.h"

#include <filesystem>
#include <string_view>

const char* const kHostUsage =
    "usage: kvhost [--module PATH] [--lang en|es|fr] [--verlan TEXT] [--script FILE] [--ui-script FILE] [--gui] [--screenshot-dir DIR] [--times] [DRAWING]";

bool ParseHostOptions(int argc, const char* const* argv, HostOptions& options, std::string& error)
{
    options = HostOptions();
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string* pTarget = nullptr;
        std::string csLang;
        if (arg == "--module") {
            pTarget = &options.csModulePath;
        } else if (arg == "--script") {
            pTarget = &options.csScriptPath;
        } else if (arg == "--ui-script") {
            pTarget = &options.csUiScriptPath;
        } else if (arg == "--gui") {
            options.bGui = true;
            continue;
        } else if (arg == "--times") {
            options.bTimes = true;
            continue;
        } else if (arg == "--screenshot-dir") {
            pTarget = &options.csScreenshotDir;
        } else if (arg == "--lang" || arg == "--verlan") {
            pTarget = &csLang;
        } else if (arg.starts_with("-") && arg != "-") {
            error = "unknown option \"" + std::string(arg) + "\"";
            return false;
        } else {
            if (!options.csDrawingPath.empty()) {
                error = "only one drawing can be opened (got \"" + options.csDrawingPath + "\" and \"" +
                        std::string(arg) + "\")";
                return false;
            }
            options.csDrawingPath = arg;
            continue;
        }
        if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
            error = "option " + std::string(arg) + " needs a value";
            return false;
        }
        *pTarget = argv[++i];
        if (arg == "--verlan") {
            options.csVerlan = csLang;
        } else if (arg == "--lang") {
            if (csLang == "en")
                options.language = KvUiLanguage::English;
            else if (csLang == "es")
                options.language = KvUiLanguage::Spanish;
            else if (csLang == "fr")
                options.language = KvUiLanguage::French;
            else {
                error = "--lang takes en, es or fr (got \"" + csLang + "\")";
                return false;
            }
        }
    }
    if (!options.csScreenshotDir.empty() && !options.bGui) {
        error = "--screenshot-dir needs --gui";
        return false;
    }
    return true;
}

std::string DefaultModulePath(const std::string& executablePath)
{
    const std::filesystem::path program(executablePath);
    return (program.parent_path() / ".." / "lib" / "dataextraction.so").lexically_normal().string();
}
