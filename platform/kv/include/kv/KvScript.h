#pragma once
// A script of the user's answers, one a line, shared by everything that answers for the
// user (editor input, dialogs) so that they all take their lines from one cursor, in order.
//
//   KvScript script;
//   if (!script.open(path, error)) ...;           // or load(name, text) in tests
//   KvScript::setCurrent(&script);                 // the process's script
//   KvScript::Line line;
//   if (!script.next(line)) script.failAtEnd("no line answers the point request");
//   else if (bad) script.fail(line, "expected \"point X,Y[,Z]\" or \"point cancel\"");
//
// Blank lines and lines starting with '#' are skipped; lines come trimmed. fail and
// failAtEnd print one line on standard error naming the script and the line, and are
// remembered: the host program exits with a failure status when failed() is true.
#include <cstddef>
#include <string>
#include <vector>

class KvScript {
public:
    struct Line {
        int number = 0;    // 1-based line number in the file
        std::string text;  // UTF-8, without surrounding white space
    };

    bool open(const std::string& path, std::string& error);
    void load(const std::string& name, const std::string& text);
    const std::string& name() const { return m_name; }

    // The next significant line, consumed; false when the script has run out.
    bool next(Line& line);
    // The same line next() would give, not consumed.
    bool peek(Line& line) const;
    bool atEnd() const;

    void fail(const Line& line, const std::string& message);
    void failAtEnd(const std::string& message);
    bool failed() const { return !m_errors.empty(); }
    const std::vector<std::string>& errors() const { return m_errors; }

    // The script answering for the user in this process; null when the user answers.
    static KvScript* current();
    static void setCurrent(KvScript* script);

private:
    void report(const std::string& text);
    std::string m_name;
    std::vector<Line> m_lines;  // significant lines only
    std::size_t m_next = 0;
    std::vector<std::string> m_errors;
};
