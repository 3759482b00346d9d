#include "shell/ScriptedEditorInput.h"

#include <algorithm>
#include <cctype>

#include "kv/KvStatus.h"
#include "shell/EditorInputParsing.h"

bool ScriptedEditorInput::take(const char* keyword, const char* request, const char* grammar, KvScript::Line& line,
                               std::string& rest)
{
    if (!m_script.next(line)) {
        m_script.failAtEnd(std::string("no line answers the ") + request);
        return false;
    }
    // Words end where the dialog actions' words end, so that a line is the same verb to both.
    const std::string& text = line.text;
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const auto wordEnd = std::find_if(text.begin(), text.end(), isSpace);
    if (LowerCase(std::string(text.begin(), wordEnd)) != keyword) {
        m_script.fail(line, std::string("the ") + request + " waits for " + grammar + ", not \"" + text + "\"");
        return false;
    }
    rest.assign(std::find_if_not(wordEnd, text.end(), isSpace), text.end());
    return true;
}

int ScriptedEditorInput::selectObjects(const std::u16string&, std::vector<KvDbHandle>& handles, bool& all)
{
    handles.clear();
    all = false;
    KvScript::Line line;
    std::string rest;
    if (!take("objects", "object selection", "\"objects all\", \"objects HANDLE...\" or \"objects cancel\"", line,
              rest))
        return RTCAN;
    const std::vector<std::string> words = SplitWords(rest);
    if (words.size() == 1 && LowerCase(words[0]) == "cancel") return RTCAN;
    if (words.size() == 1 && LowerCase(words[0]) == "all") {
        all = true;
        return RTNORM;
    }
    for (const std::string& word : words) {
        KvDbHandle handle;
        if (!ParseHandle(word, handle)) {
            m_script.fail(line, "\"" + word + "\" is not a handle");
            handles.clear();
            return RTCAN;
        }
        handles.push_back(handle);
    }
    return RTNORM;
}

int ScriptedEditorInput::pickObject(const std::u16string&, KvDbHandle& handle)
{
    KvScript::Line line;
    std::string rest;
    if (!take("pick", "single pick", "\"pick HANDLE\" or \"pick cancel\"", line, rest)) return RTCAN;
    if (LowerCase(rest) == "cancel") return RTCAN;
    if (!ParseHandle(rest, handle)) {
        m_script.fail(line, "\"" + rest + "\" is not a handle");
        return RTCAN;
    }
    return RTNORM;
}

int ScriptedEditorInput::getPoint(const std::u16string&, const KvGePoint3d*, KvGePoint3d& point)
{
    KvScript::Line line;
    std::string rest;
    if (!take("point", "point request", "\"point X,Y[,Z]\" or \"point cancel\"", line, rest)) return RTCAN;
    if (LowerCase(rest) == "cancel") return RTCAN;
    if (!ParsePoint(rest, point)) {
        m_script.fail(line, "\"" + rest + "\" is not a point (X,Y or X,Y,Z)");
        return RTCAN;
    }
    return RTNORM;
}
