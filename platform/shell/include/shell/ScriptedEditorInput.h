#pragma once
// Editor input answered from the --ui-script file, one line a request, in order:
//   objects all | objects HANDLE... | objects cancel
//   pick HANDLE | pick cancel
//   point X,Y[,Z] | point cancel
// A line of the wrong sort, a malformed line or a script that has run out is reported
// (KvScript::fail) and cancels the request.
#include "kv/KvEdInputProvider.h"
#include "kv/KvScript.h"

class ScriptedEditorInput : public KvEdInputProvider {
public:
    explicit ScriptedEditorInput(KvScript& script) : m_script(script) {}

    int selectObjects(const std::u16string& prompt, std::vector<KvDbHandle>& handles, bool& all) override;
    int pickObject(const std::u16string& prompt, KvDbHandle& handle) override;
    int getPoint(const std::u16string& prompt, const KvGePoint3d* basePoint, KvGePoint3d& point) override;

private:
    // The next line if it starts with the keyword; its remaining words in `rest`.
    bool take(const char* keyword, const char* request, const char* grammar, KvScript::Line& line, std::string& rest);
    KvScript& m_script;
};
