#include "DrawingLock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

// The process holding a whole-file lock on the file, from the kernel's list of locks; 0
// when it cannot be told (another pid namespace, no /proc).
long lockHolderPid(const struct stat& st)
{
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        // "1: FLOCK  ADVISORY  WRITE 1234 08:02:131074 0 EOF"; waiters have "->" after the number.
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;) words.push_back(word);
        if (words.size() < 6 || words[1] != "FLOCK") continue;
        unsigned major = 0, minor = 0;
        unsigned long long inode = 0;
        if (std::sscanf(words[5].c_str(), "%x:%x:%llu", &major, &minor, &inode) != 3) continue;
        if (major != ::major(st.st_dev) || minor != ::minor(st.st_dev) || inode != st.st_ino) continue;
        const long pid = std::strtol(words[4].c_str(), nullptr, 10);
        if (pid > 0 && pid != ::getpid()) return pid;
    }
    return 0;
}

std::string describeProcess(long pid)
{
    if (pid <= 0) return "another program";
    const std::string proc = "/proc/" + std::to_string(pid);
    std::string name;
    std::getline(std::ifstream(proc + "/comm"), name);
    std::string text = (name.empty() ? "a program" : name) + " (process " + std::to_string(pid);
    struct stat st {};
    if (::stat(proc.c_str(), &st) == 0) {
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* pEntry = nullptr;
        if (::getpwuid_r(st.st_uid, &entry, buffer.data(), buffer.size(), &pEntry) == 0 && pEntry)
            text += std::string(", user ") + pEntry->pw_name;
        else
            text += ", user " + std::to_string(st.st_uid);
    }
    return text + ")";
}

}  // namespace

FileIdentity FileIdentity::of(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {true, st.st_dev, st.st_ino};
}

DrawingLock::DrawingLock(DrawingLock&& other) noexcept
{
    *this = std::move(other);
}

DrawingLock& DrawingLock::operator=(DrawingLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_identity = other.m_identity;
    }
    return *this;
}

DrawingLock::Result DrawingLock::take(const std::string& path, std::string& holder)
{
    release();
    m_identity = {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Result::NotLockable;
    struct stat st {};
    if (::fstat(fd, &st) == 0) m_identity = {true, st.st_dev, st.st_ino};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        return Result::Locked;
    }
    const int nError = errno;
    ::close(fd);
    if (nError != EWOULDBLOCK) return Result::NotLockable;
    holder = describeProcess(m_identity.bExists ? lockHolderPid(st) : 0);
    return Result::HeldElsewhere;
}

void DrawingLock::release()
{
    if (m_fd < 0) return;
    ::close(m_fd);  // closing the only descriptor of the open file drops its lock
    m_fd = -1;
}
