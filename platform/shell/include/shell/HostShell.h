#pragma once
// kvhost's command line: runs the commands the plug-in registered and the host's own
// (COMMANDS, GETVAR, SETVAR, LIST, SELECT, ID, QUIT, and any that other parts of the host add).
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <string>

#include "kv/KvDbDatabase.h"

class PluginModule;

class HostShell {
public:
    using HostCommand = std::function<void(HostShell& shell, const std::string& arguments)>;

    // The shell's drawing becomes the working database; the module (may be null) gets
    // the unload message at QUIT or at the end of the input.
    HostShell(std::unique_ptr<KvDbDatabase> db, PluginModule* pModule);
    ~HostShell();
    HostShell(const HostShell&) = delete;
    HostShell& operator=(const HostShell&) = delete;

    KvDbDatabase& database() { return *m_db; }
    void replaceDatabase(std::unique_ptr<KvDbDatabase> db);
    void addHostCommand(const std::string& name, HostCommand command);

    // Runs one command line; blank lines and '#' comments do nothing.
    void execute(const std::string& line);
    // Reads commands until QUIT or the end of the input, then unloads the module. With
    // bPrompt the prompt is shown before each line (a terminal); otherwise each command
    // is echoed after the prompt, as a transcript.
    void run(std::istream& in, bool bPrompt);
    bool quitRequested() const { return m_bQuit; }
    // Sends the unload message and unloads the module (once).
    void unloadModule();
    // The process ends with the shell: its drawing is left to the system instead of being
    // freed object by object (sanitizer builds still free it, so leak checks stay meaningful).
    void leaveDrawingToExit();

    // One line on the command line.
    static void print(const std::u16string& text);

private:
    void listCommands();
    void getVariable(const std::string& arguments);
    void setVariable(const std::string& arguments);
    void listEntities();
    void selectObjects();
    void identifyPoint();

    std::unique_ptr<KvDbDatabase> m_db;
    PluginModule* m_pModule;
    std::map<std::string, HostCommand> m_hostCommands;  // upper-case names
    bool m_bQuit = false;
};
