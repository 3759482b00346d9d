#include "shell/ScriptedEditorInput.h"

#include "kv/KvStatus.h"
#include "shell/EditorInputParsing.h"

bool ScriptedEditorInput::take(const char* keyword, const char* request, const char* grammar, KvScript::Line& line,
                               std::string& rest)
{
    if (!m_script.next(line)) {
        m_script.failAtEnd(std::string("no line answers the ") + request);
        return false;
    }
    const std::string& text = line.text;
    const std::size_t space = text.find_first_of(" \t");
    if (LowerCase(text.substr(0, space)) != keyword) {
        m_script.fail(line, std::string("the ") + request + " waits for " + grammar + ", not \"" + text + "\"");
        return false;
    }
    rest = space == std::string::npos ? std::string() : text.substr(text.find_first_not_of(" \t", space));
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
