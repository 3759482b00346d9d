#include "shell/TerminalProgress.h"

#include <algorithm>

#include "kv/KvString.h"

namespace {
constexpr std::chrono::seconds kQuietStart(1);
constexpr std::chrono::milliseconds kRefresh(200);
}  // namespace

TerminalProgress::TerminalProgress(std::ostream& out, Clock clock) : m_out(out), m_clock(std::move(clock)) {}

void TerminalProgress::begin(const std::u16string& what, std::uint64_t total)
{
    if (m_depth++ > 0) return;
    m_what = kvToUtf8(what);
    m_total = total;
    m_start = m_clock();
    m_bShown = false;
    m_shownWidth = 0;
}

void TerminalProgress::advance(std::uint64_t done)
{
    if (m_depth != 1) return;
    const auto now = m_clock();
    if (now - m_start < kQuietStart) return;
    if (m_bShown && now - m_lastShown < kRefresh) return;
    m_lastShown = now;
    if (m_total == 0) {
        show("...");
        return;
    }
    const std::uint64_t percent = std::min<std::uint64_t>(done, m_total) * 100 / m_total;
    show(std::to_string(percent) + "%");
}

void TerminalProgress::end()
{
    if (m_depth == 0 || --m_depth > 0) return;
    if (!m_bShown) return;
    show("done");
    m_out << "\n" << std::flush;
}

void TerminalProgress::show(const std::string& state)
{
    std::string line = m_what + ": " + state;
    const std::size_t width = line.size();
    // A shorter line covers what the longer one before it left.
    if (width < m_shownWidth) line.append(m_shownWidth - width, ' ');
    m_out << "\r" << line << std::flush;
    m_shownWidth = width;
    m_bShown = true;
}
