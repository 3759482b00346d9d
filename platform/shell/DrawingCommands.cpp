#include "DrawingCommands.h"

#include "kv/KvRx.h"
#include "kv/KvString.h"
#include "DrawingFiles.h"
#include "shell/HostShell.h"

namespace {

std::string unquoted(std::string s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

void saveAs(HostShell& shell, const std::string& path)
{
    const DrawingFileHooks& files = GetDrawingFileHooks();
    std::string error;
    if (files.write == nullptr) {
        HostShell::print(u"This build does not write drawing files.");
        return;
    }
    if (!files.write(shell.database(), path, error)) {
        HostShell::print(kvFromUtf8("Drawing not saved: " + error));
        return;
    }
    kvDocManagerPtr()->curDocument()->setFileName(kvFromUtf8(path));
    HostShell::print(kvFromUtf8("Drawing saved to " + path + "."));
}

}  // namespace

void AddDrawingCommands(HostShell& shell)
{
    shell.addHostCommand("OPEN", [](HostShell& sh, const std::string& arguments) {
        const std::string path = unquoted(arguments);
        if (path.empty()) {
            HostShell::print(u"OPEN needs the drawing's file name.");
            return;
        }
        const DrawingFileHooks& files = GetDrawingFileHooks();
        if (files.read == nullptr) {
            HostShell::print(u"This build does not read drawing files.");
            return;
        }
        std::string error;
        std::unique_ptr<KvDbDatabase> db = files.read(path, error);
        if (!db) {
            // The drawing open so far stays open, unchanged.
            HostShell::print(kvFromUtf8("Drawing not opened: " + error));
            return;
        }
        sh.replaceDatabase(std::move(db));
        kvDocManagerPtr()->curDocument()->setFileName(kvFromUtf8(path));
        HostShell::print(kvFromUtf8("Drawing " + path + " opened."));
    });
    shell.addHostCommand("SAVE", [](HostShell& sh, const std::string&) {
        const std::u16string name = kvDocManagerPtr()->curDocument()->fileName();
        if (name.empty()) {
            HostShell::print(u"The drawing has no file yet: use SAVEAS with a file name.");
            return;
        }
        saveAs(sh, kvToUtf8(name));
    });
    shell.addHostCommand("SAVEAS", [](HostShell& sh, const std::string& arguments) {
        const std::string path = unquoted(arguments);
        if (path.empty()) {
            HostShell::print(u"SAVEAS needs the file name to save to.");
            return;
        }
        saveAs(sh, path);
    });
}
