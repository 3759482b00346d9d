#include "shell/TerminalEditorInput.h"

#include <string>

#include "kv/KvConsole.h"
#include "kv/KvStatus.h"
#include "kv/KvString.h"
#include "shell/EditorInputParsing.h"

namespace {

// What may be typed at a prompt and how to get out of it, after the prompt's own text.
void hint(const std::u16string& prompt, const char16_t* text)
{
    const bool bSpaced = prompt.empty() || prompt.back() == u' ';
    KvConsole::instance().write((bSpaced ? u"(" : u" (") + std::u16string(text) + u") ");
}

constexpr const char16_t* kObjectsHint = u"handles, or all; an empty line cancels";
constexpr const char16_t* kMoreObjectsHint = u"more handles; an empty line ends the selection";
constexpr const char16_t* kPickHint = u"a handle; an empty line cancels";
constexpr const char16_t* kPointHint = u"x,y or x,y,z; an empty line cancels";

}  // namespace

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
    hint(prompt, kObjectsHint);
    std::string line;
    while (readLine(line)) {
        // Enter with nothing chosen cancels, as in CAD programs; after some objects it ends.
        if (line.empty()) return handles.empty() ? RTCAN : RTNORM;
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
        hint(prompt, handles.empty() ? kObjectsHint : kMoreObjectsHint);
    }
    return RTCAN;
}

int TerminalEditorInput::pickObject(const std::u16string& prompt, KvDbHandle& handle)
{
    hint(prompt, kPickHint);
    std::string line;
    while (readLine(line)) {
        if (line.empty()) return RTCAN;
        if (ParseHandle(line, handle)) return RTNORM;
        KvConsole::instance().write(u"\n\"" + kvFromUtf8(line) + u"\" is not a handle." + prompt);
        hint(prompt, kPickHint);
    }
    return RTCAN;
}

int TerminalEditorInput::getPoint(const std::u16string& prompt, const KvGePoint3d*, KvGePoint3d& point)
{
    hint(prompt, kPointHint);
    std::string line;
    while (readLine(line)) {
        if (line.empty()) return RTCAN;
        if (ParsePoint(line, point)) return RTNORM;
        KvConsole::instance().write(u"\nA point is x,y or x,y,z." + prompt);
        hint(prompt, kPointHint);
    }
    return RTCAN;
}
