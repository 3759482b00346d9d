#pragma once
// Runs a shell command (an oracle script, mostly): its standard output, and its exit status.
#include <sys/wait.h>

#include <cstdio>
#include <string>

inline std::string CommandOutput(const std::string& csCommand, int* pnStatus = nullptr)
{
    std::string csOut;
    FILE* pPipe = ::popen(csCommand.c_str(), "r");
    if (pnStatus) *pnStatus = -1;
    if (pPipe == nullptr) return csOut;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pPipe)) > 0;) csOut.append(buffer, n);
    const int nWait = ::pclose(pPipe);
    if (pnStatus) *pnStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
    return csOut;
}
