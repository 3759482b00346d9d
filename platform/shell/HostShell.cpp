#include "shell/HostShell.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "kv/KvConsole.h"
#include "kv/KvDbEntity.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvHostVariables.h"
#include "kv/KvResbuf.h"
#include "kv/KvRx.h"
#include "kv/KvString.h"
#include "kvinternal/KvAsciiCase.h"
#include "shell/EditorInputParsing.h"
#include "shell/PluginModule.h"
#include "StepTimes.h"

namespace {

std::string trimmed(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

KvEdCommandStack* commandStack()
{
    return dynamic_cast<KvEdCommandStack*>(kvrxSysRegistry()->at(u"KVMO_REGISTERED_COMMANDS"));
}

std::u16string u16(const std::string& text)
{
    return kvFromUtf8(text);
}

}  // namespace

HostShell::HostShell(std::unique_ptr<KvDbDatabase> db, PluginModule* pModule) : m_db(std::move(db)), m_pModule(pModule)
{
    kvdbHostApplicationServices()->setWorkingDatabase(m_db.get());
}

HostShell::~HostShell()
{
    if (kvdbHostApplicationServices()->workingDatabase() == m_db.get())
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

void HostShell::leaveDrawingToExit()
{
#ifndef __SANITIZE_ADDRESS__
    // Everything is saved, written and closed by now; freeing hundreds of thousands of objects
    // one by one would only keep the user waiting for the process to end.
    if (kvdbHostApplicationServices()->workingDatabase() == m_db.get())
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    (void)m_db.release();
#endif
}

void HostShell::replaceDatabase(std::unique_ptr<KvDbDatabase> db)
{
    m_db = std::move(db);
    kvdbHostApplicationServices()->setWorkingDatabase(m_db.get());
}

void HostShell::addHostCommand(const std::string& name, HostCommand command)
{
    m_hostCommands[kvAsciiUpper(name)] = std::move(command);
}

void HostShell::print(const std::u16string& text)
{
    KvConsole::instance().write(u"\n" + text);
}

void HostShell::unloadModule()
{
    if (m_pModule && m_pModule->isLoaded()) {
        m_pModule->send(KvRx::kUnloadAppMsg);
        m_pModule->unload();
    }
}

void HostShell::run(std::istream& in, bool bPrompt)
{
    std::string line;
    while (!m_bQuit) {
        if (bPrompt) KvConsole::instance().write(u"\nCommand: ");
        if (!std::getline(in, line)) break;
        const std::string command = trimmed(line);
        if (command.empty() || command[0] == '#') continue;
        if (!bPrompt) KvConsole::instance().write(u"\nCommand: " + u16(command));
        execute(command);
    }
    unloadModule();
    KvConsole::instance().write(u"\n");
}

void HostShell::execute(const std::string& line)
{
    const std::string command = trimmed(line);
    if (command.empty() || command[0] == '#') return;
    const std::size_t space = command.find_first_of(" \t");
    const std::string name = kvAsciiUpper(command.substr(0, space));
    const std::string arguments = space == std::string::npos ? std::string() : trimmed(command.substr(space));
    const StepTimes times(command);

    if (name == "QUIT") {
        m_bQuit = true;
        unloadModule();
        return;
    }
    if (name == "COMMANDS") return listCommands();
    if (name == "GETVAR") return getVariable(arguments);
    if (name == "SETVAR") return setVariable(arguments);
    if (name == "LIST") return listEntities();
    if (name == "SELECT") return selectObjects();
    if (name == "ID") return identifyPoint();
    if (const auto it = m_hostCommands.find(name); it != m_hostCommands.end()) return it->second(*this, arguments);

    const KvEdCommandStack* pStack = commandStack();
    const KvEdCommand* pCommand = pStack ? pStack->lookupCmd(u16(name)) : nullptr;
    if (pCommand == nullptr) {
        print(u"Unknown command \"" + u16(name) + u"\".");
        return;
    }
    // A copy: the command may change the command stack while it runs.
    const KvEdCommand cmd = *pCommand;
    try {
        cmd.function();
    } catch (const std::exception& e) {
        print(u"Command " + cmd.globalName + u" failed: " + u16(e.what()));
    }
}

void HostShell::listCommands()
{
    const KvEdCommandStack* pStack = commandStack();
    if (pStack == nullptr || pStack->commands().empty()) {
        print(u"No commands are registered.");
        return;
    }
    std::vector<std::u16string> groups;
    for (const KvEdCommand& c : pStack->commands())
        if (std::find(groups.begin(), groups.end(), c.group) == groups.end()) groups.push_back(c.group);
    for (const std::u16string& group : groups) {
        print(u"Group \"" + group + u"\":");
        for (const KvEdCommand& c : pStack->commands())
            if (c.group == group) print(u"  " + c.globalName);
    }
}

void HostShell::getVariable(const std::string& arguments)
{
    if (arguments.empty()) {
        print(u"GETVAR needs a variable name.");
        return;
    }
    const std::u16string name = u16(kvAsciiUpper(arguments));
    resbuf value;
    if (kvedGetVar(name.c_str(), &value) != RTNORM) {
        print(u"Unknown variable \"" + u16(arguments) + u"\".");
        return;
    }
    if (value.restype == RTSTR) {
        print(name + u" = \"" + std::u16string(value.resval.rstring) + u"\"");
        kvutDelBuffer(value.resval.rstring);
    } else if (value.restype == RTSHORT) {
        print(name + u" = " + u16(std::to_string(value.resval.rint)));
    } else if (value.restype == RTREAL) {
        print(name + u" = " + u16(std::to_string(value.resval.rreal)));
    }
}

void HostShell::setVariable(const std::string& arguments)
{
    const std::size_t space = arguments.find_first_of(" \t");
    if (arguments.empty() || space == std::string::npos) {
        print(u"SETVAR needs a variable name and a value.");
        return;
    }
    const std::string name = kvAsciiUpper(arguments.substr(0, space));
    const std::string text = trimmed(arguments.substr(space));
    long lo = 0, hi = 0;
    if (name == "LUPREC") {
        lo = 0;
        hi = 8;
    } else if (name == "CMDECHO") {
        lo = 0;
        hi = 1;
    } else if (KvHostVariables::instance().has(u16(name))) {
        print(u16(name) + u" is read-only.");
        return;
    } else {
        print(u"Unknown variable \"" + u16(arguments.substr(0, space)) + u"\".");
        return;
    }
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != 0 || errno != 0 || n < lo || n > hi) {
        print(u"Invalid value \"" + u16(text) + u"\" for " + u16(name) + u": expected a whole number from " +
              u16(std::to_string(lo)) + u" to " + u16(std::to_string(hi)) + u".");
        return;
    }
    resbuf value;
    value.restype = RTSHORT;
    value.resval.rint = static_cast<short>(n);
    const std::u16string csName = u16(name);
    if (kvedSetVar(csName.c_str(), &value) != RTNORM)
        print(u"SETVAR " + csName + u" was refused.");
    else
        print(csName + u" = " + u16(std::to_string(n)));
}

void HostShell::listEntities()
{
    std::vector<std::u16string> lines;
    for (const KvDbObjectId& id : m_db->layoutEntitiesInOrder()) {
        const auto* pEntity = kvCast<KvDbEntity>(m_db->objectAt(id));
        if (pEntity == nullptr || pEntity->isErased()) continue;
        std::u16string handle = pEntity->handle().text();
        std::u16string kind = pEntity->dxfName();
        handle.resize(std::max<std::size_t>(handle.size(), 8), u' ');
        kind.resize(std::max<std::size_t>(kind.size(), 14), u' ');
        lines.push_back(handle + u" " + kind + u" " + pEntity->layer());
    }
    if (lines.empty()) {
        print(u"The drawing holds no entities.");
        return;
    }
    print(u"Handle   Kind           Layer");
    for (const std::u16string& line : lines) print(line);
}

// As in a CAD program: asks for objects and says how many were found.
void HostShell::selectObjects()
{
    kv_name ss;
    const int rc = kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
    if (rc == RTCAN) {
        print(u"*Cancel*");
        return;
    }
    std::int32_t n = 0;
    if (rc == RTNORM) kvedSSLength(ss, &n);
    kvedSSFree(ss);
    print(u16(std::to_string(n)) + u" found");
}

// Asks for a point and shows its coordinates.
void HostShell::identifyPoint()
{
    double pt[3];
    if (kvedGetPoint(nullptr, u"\nSpecify point: ", pt) != RTNORM) {
        print(u"*Cancel*");
        return;
    }
    char text[128];
    std::snprintf(text, sizeof text, "X = %.4f     Y = %.4f     Z = %.4f", pt[0], pt[1], pt[2]);
    print(u16(text));
}
