#pragma once
// Progress of a long open or save on a terminal: nothing for the first second (most drawings
// open faster than that), then one line rewritten in place a few times a second, ended with
// "done" when the work is over.
#include <chrono>
#include <functional>
#include <ostream>

#include "kv/KvProgress.h"

class TerminalProgress : public KvProgressSink {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    explicit TerminalProgress(std::ostream& out, Clock clock = &std::chrono::steady_clock::now);

    void begin(const std::u16string& what, std::uint64_t total) override;
    void advance(std::uint64_t done) override;
    void end() override;

private:
    void show(const std::string& state);

    std::ostream& m_out;
    Clock m_clock;
    int m_depth = 0;  // work reported inside other work shows as part of it
    std::string m_what;
    std::uint64_t m_total = 0;
    std::chrono::steady_clock::time_point m_start, m_lastShown;
    bool m_bShown = false;
    std::size_t m_shownWidth = 0;
};
