#include "kv/KvScript.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

KvScript* g_pCurrent = nullptr;

// White space as the action parser and the editor input see it (isspace in the C locale).
std::string trimmed(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string::npos) return {};
    const std::size_t last = s.find_last_not_of(" \t\n\v\f\r");
    return s.substr(first, last - first + 1);
}

}  // namespace

bool KvScript::open(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read \"" + path + "\"";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    load(path, text.str());
    return true;
}

void KvScript::load(const std::string& name, const std::string& text)
{
    m_name = name;
    m_lines.clear();
    m_next = 0;
    m_errors.clear();
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (number == 1 && raw.starts_with("\xEF\xBB\xBF"))
            raw.erase(0, 3);  // byte-order mark of editors that write one
        const std::string t = trimmed(raw);
        if (!t.empty() && t[0] != '#') m_lines.push_back({number, t});
    }
}

bool KvScript::next(Line& line)
{
    if (!peek(line)) return false;
    ++m_next;
    return true;
}

bool KvScript::peek(Line& line) const
{
    if (m_next >= m_lines.size()) return false;
    line = m_lines[m_next];
    return true;
}

bool KvScript::atEnd() const
{
    return m_next >= m_lines.size();
}

void KvScript::fail(const Line& line, const std::string& message)
{
    report("ui-script " + m_name + " line " + std::to_string(line.number) + ": " + message);
}

void KvScript::failAtEnd(const std::string& message)
{
    report("ui-script " + m_name + " ran out: " + message);
}

void KvScript::report(const std::string& text)
{
    m_errors.push_back(text);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

KvScript* KvScript::current()
{
    return g_pCurrent;
}
void KvScript::setCurrent(KvScript* script)
{
    g_pCurrent = script;
}
