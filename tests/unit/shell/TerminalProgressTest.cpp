#include "shell/TerminalProgress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
using namespace std::chrono_literals;

// A clock the test moves by hand.
struct FakeClock {
    std::chrono::steady_clock::time_point now{};
    TerminalProgress::Clock Get()
    {
        return [this] { return now; };
    }
};
}  // namespace

TEST(TerminalProgress, QuietForASecondThenOneLineRewrittenAndEnded)
{
    FakeClock clock;
    std::ostringstream out;
    TerminalProgress progress(out, clock.Get());

    // A short job shows nothing at all.
    progress.begin(u"Opening small.dxf", 100);
    clock.now += 900ms;
    progress.advance(90);
    progress.end();
    EXPECT_EQ(out.str(), "");

    progress.begin(u"Saving big.dxf", 1000);
    clock.now += 1200ms;
    progress.advance(50);
    clock.now += 50ms;
    progress.advance(100);  // too soon after the last line: not shown
    clock.now += 300ms;
    progress.advance(1000);
    // Work inside the job (a nested report) does not start a line of its own.
    progress.begin(u"Inner", 5);
    progress.advance(5);
    progress.end();
    progress.end();
    EXPECT_EQ(out.str(), "\rSaving big.dxf: 5%\rSaving big.dxf: 100%\rSaving big.dxf: done\n");
}
