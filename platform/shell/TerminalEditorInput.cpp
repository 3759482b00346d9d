#include "shell/TerminalEditorInput.h"

#include <string>

#include "kv/KvConsole.h"
#include "kv/KvStatus.h"
#include "kv/KvString.h"
#include "EditorInputParsing.h"

bool TerminalEditorInput::readLine(std::string& line)
{
    if (!std::getline(m_in, line)) return false;
    const std::size_t first = line.find_first_not_of(" \t\r");
    line = first == std::string::npos ? std::string() : line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    return LowerCase(line) != "cancel" && line.find('\x1b') == std::string::npos;
}

int TerminalEditorInput::selectObjects(const std::u16string& prompt, std::vector<KvDbHandle>& handles, bool& all)
{
    handles.clear();
    all = false;
    std::string line;
    while (readLine(line)) {
        if (line.empty()) return RTNORM;
        if (LowerCase(line) == "all") {
            all = true;
            return RTNORM;
        }
        for (const std::string& word : SplitWords(line)) {
            KvDbHandle handle;
            if (ParseHandle(word, handle))
                handles.push_back(handle);
            else
                KvConsole::instance().write(u"\n\"" + kvFromUtf8(word) + u"\" is not a handle.");
        }
        KvConsole::instance().write(prompt);
    }
    return RTCAN;
}

int TerminalEditorInput::pickObject(const std::u16string& prompt, KvDbHandle& handle)
{
    std::string line;
    while (readLine(line)) {
        if (line.empty()) return RTERROR;  // nothing picked
        if (ParseHandle(line, handle)) return RTNORM;
        KvConsole::instance().write(u"\n\"" + kvFromUtf8(line) + u"\" is not a handle." + prompt);
    }
    return RTCAN;
}

int TerminalEditorInput::getPoint(const std::u16string& prompt, const KvGePoint3d*, KvGePoint3d& point)
{
    std::string line;
    while (readLine(line)) {
        if (ParsePoint(line, point)) return RTNORM;
        KvConsole::instance().write(u"\nA point is x,y or x,y,z." + prompt);
    }
    return RTCAN;
}
