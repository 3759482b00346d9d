#include "export/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <unistd.h>

#include "kv/KvString.h"

AtomicFile::AtomicFile(const std::u16string& csPath) : m_csTarget(kvToUtf8(csPath))
{
    if (m_csTarget.empty()) return;
    std::random_device random;
    for (int nTry = 0; nTry < 16 && m_fd < 0; ++nTry) {
        char szSuffix[24];
        std::snprintf(szSuffix, sizeof szSuffix, ".~%08x", static_cast<unsigned>(random()));
        m_csTemp = m_csTarget + szSuffix;
        // 0666 lets the umask decide the permissions, as for any newly created file.
        m_fd = ::open(m_csTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0)
        m_csTemp.clear();
    else
        m_buffer.reserve(kBufferSize);
}

AtomicFile::~AtomicFile()
{
    Discard();
}

void AtomicFile::Write(std::string_view bytes)
{
    if (m_buffer.size() + bytes.size() > kBufferSize) Flush();
    if (bytes.size() >= kBufferSize) {
        m_buffer.assign(bytes);
        Flush();
        return;
    }
    m_buffer.append(bytes);
}

void AtomicFile::Flush()
{
    const char* p = m_buffer.data();
    std::size_t nLeft = m_buffer.size();
    while (m_fd >= 0 && !m_bFailed && nLeft > 0) {
        const ssize_t n = ::write(m_fd, p, nLeft);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_bFailed = true;
            break;
        }
        p += n;
        nLeft -= static_cast<std::size_t>(n);
    }
    m_buffer.clear();
}

bool AtomicFile::Commit()
{
    if (m_fd < 0) return false;
    Flush();
    const bool bClosed = ::close(m_fd) == 0;
    m_fd = -1;
    if (m_bFailed || !bClosed || std::rename(m_csTemp.c_str(), m_csTarget.c_str()) != 0) {
        ::unlink(m_csTemp.c_str());
        m_csTemp.clear();
        return false;
    }
    m_csTemp.clear();
    return true;
}

void AtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_csTemp.empty()) {
        ::unlink(m_csTemp.c_str());
        m_csTemp.clear();
    }
}
