#include "StepTimes.h"

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace {

bool g_bTimes = false;

double processorSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

StepTimes::StepTimes(std::string step) : m_step(std::move(step))
{
    if (!g_bTimes) return;
    m_start = std::chrono::steady_clock::now();
    m_processorStart = processorSeconds();
}

StepTimes::~StepTimes()
{
    if (!g_bTimes) return;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - m_start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "kvhost: time of %s: %.3f s, %.3f s processor, peak %ld MB\n", m_step.c_str(), wall.count(),
                 processorSeconds() - m_processorStart, usage.ru_maxrss / 1024);
}

void StepTimes::enable(bool bOn)
{
    g_bTimes = bOn;
}

bool StepTimes::enabled()
{
    return g_bTimes;
}
