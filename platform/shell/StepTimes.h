#pragma once
// kvhost --times: the wall and processor time of each step of a session (opening the drawing,
// each command) and the peak memory so far, one line each on standard error, so that a
// benchmark can split a whole job into its steps without a profiler.
#include <chrono>
#include <string>

class StepTimes {
public:
    // Prints the step's line when it ends, if times were asked for.
    explicit StepTimes(std::string step);
    ~StepTimes();
    StepTimes(const StepTimes&) = delete;
    StepTimes& operator=(const StepTimes&) = delete;

    static void enable(bool bOn);
    static bool enabled();

private:
    std::string m_step;
    std::chrono::steady_clock::time_point m_start;
    double m_processorStart = 0;
};
