#pragma once
#include <functional>
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
    // Also shown elsewhere (the graphical host's command line); empty for none.
    void setListener(std::function<void(const std::u16string&)> listener) { m_listener = std::move(listener); }

private:
    std::u16string m_recorded;
    bool m_echo = true;
    std::function<void(const std::u16string&)> m_listener;
};
