// libFuzzer target: any text read as a UI script gives, line by line, either an action or a
// message naming what is wrong; the editor's answers (objects, pick, point) are taken by the
// scripted editor input as kvhost takes them, and end in a normal, cancelled or failed
// request, never elsewhere.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "kv/KvScript.h"
#include "kv/KvStatus.h"
#include "kvui/KvUiAction.h"
#include "shell/ScriptedEditorInput.h"

namespace {
bool normalResult(int status)
{
    return status == RTNORM || status == RTCAN || status == RTERROR;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KvScript script;
    script.load("fuzz.ui", std::string(reinterpret_cast<const char*>(data), size));
    ScriptedEditorInput editor(script);
    KvScript::Line line;
    while (script.peek(line)) {
        const std::string word(line.text.begin(), std::find_if(line.text.begin(), line.text.end(), [](char c) {
                                   return std::isspace(static_cast<unsigned char>(c)) != 0;
                               }));
        if (word == "objects") {
            std::vector<KvDbHandle> handles;
            bool bAll = false;
            if (!normalResult(editor.selectObjects(u"", handles, bAll))) std::abort();
        } else if (word == "pick") {
            KvDbHandle handle;
            if (!normalResult(editor.pickObject(u"", handle))) std::abort();
        } else if (word == "point") {
            KvGePoint3d point;
            if (!normalResult(editor.getPoint(u"", nullptr, point))) std::abort();
        } else {
            script.next(line);
            KvUiAction action;
            std::string error;
            if (KvUiParseAction(line.text, action, error)) {
                if (action.kind == KvUiActionKind::None || word != KvUiActionVerb(action.kind)) std::abort();
            } else if (error.empty()) {
                std::abort();
            }
        }
    }
    return 0;
}
