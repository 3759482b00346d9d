#pragma once
#include <string>

// The host's command line. What the plug-in prints goes to the terminal (UTF-8) and is
// recorded so tests can read exactly what a user would.
// Formats: %s (const char16_t*), %d %i (int), %ld, %u, %x, %g %f (double), %%.
int kvutPrintf(const char16_t* format, ...);

class KvConsole {
public:
    static KvConsole& instance();
    void write(const std::u16string& text);
    const std::u16string& recorded() const { return m_recorded; }
    void clearRecorded() { m_recorded.clear(); }
    void setEcho(bool echo) { m_echo = echo; }  // off in tests

private:
    std::u16string m_recorded;
    bool m_echo = true;
};
