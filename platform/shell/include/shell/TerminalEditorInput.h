#pragma once
// Editor input typed at the terminal. The request's prompt is already on the command line;
// each request adds what may be typed and how to cancel. Objects: handles (several a line,
// asked again until an empty line ends the selection) or "all"; a single pick: a handle; a
// point: x,y[,z]. An empty line cancels the request (for objects, while none is chosen), as
// Enter or Escape does in CAD programs; so do "cancel", Escape and the end of the input.
#include <istream>

#include "kv/KvEdInputProvider.h"

class TerminalEditorInput : public KvEdInputProvider {
public:
    explicit TerminalEditorInput(std::istream& in) : m_in(in) {}

    int selectObjects(const std::u16string& prompt, std::vector<KvDbHandle>& handles, bool& all) override;
    int pickObject(const std::u16string& prompt, KvDbHandle& handle) override;
    int getPoint(const std::u16string& prompt, const KvGePoint3d* basePoint, KvGePoint3d& point) override;

private:
    // False at the end of the input or when the user cancels.
    bool readLine(std::string& line);
    std::istream& m_in;
};
