#pragma once
// Progress of long opens and saves in the main window's status bar: a bar appears when an
// operation has run for a second, and the window keeps painting meanwhile (user input
// waits until the operation is over).
#include <chrono>
#include <string>

#include "kv/KvProgress.h"

class GuiMainFrame;

class GuiProgress : public KvProgressSink {
public:
    explicit GuiProgress(GuiMainFrame& frame) : m_frame(frame) {}

    void begin(const std::u16string& what, std::uint64_t total) override;
    void advance(std::uint64_t done) override;
    void end() override;

private:
    using Clock = std::chrono::steady_clock;
    GuiMainFrame& m_frame;
    std::string m_what;
    std::uint64_t m_total = 0;
    Clock::time_point m_start, m_last;
    bool m_bShown = false;
};
