#include "kv/KvReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "kv/KvString.h"

namespace {

constexpr int kMaxLinks = 40;  // as the kernel follows them
// Room left in a file name for the temporary file's prefix and suffix.
constexpr std::size_t kMaxBaseInTempName = 200;

std::string folderOf(const std::string& csPath)
{
    const std::size_t slash = csPath.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : csPath.substr(0, slash);
}

std::string nameOf(const std::string& csPath)
{
    const std::size_t slash = csPath.find_last_of('/');
    return slash == std::string::npos ? csPath : csPath.substr(slash + 1);
}

// The path with its symbolic links followed to the file they end at (which need not exist
// yet); false with errno set when the links loop or cannot be read.
bool followLinks(std::string& csPath)
{
    for (int nLinks = 0; nLinks <= kMaxLinks; ++nLinks) {
        struct stat st {};
        if (::lstat(csPath.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(csPath.c_str(), target.data(), target.size());
        if (n < 0) return false;
        if (static_cast<std::size_t>(n) == target.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        std::string csLink(target.data(), static_cast<std::size_t>(n));
        if (csLink.empty()) {
            errno = ENOENT;
            return false;
        }
        csPath = csLink.front() == '/' ? csLink : folderOf(csPath) + "/" + csLink;
    }
    errno = ELOOP;
    return false;
}

void syncFolder(const std::string& csFolder)
{
    // Makes the rename itself durable. Some file systems refuse to sync a folder; the file
    // is in place by then, so that is not a failure of the save.
    const int fd = ::open(csFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

KvReplaceFile::KvReplaceFile(const std::string& csPath)
{
    Open(csPath);
}

KvReplaceFile::KvReplaceFile(std::u16string_view csPath)
{
    Open(kvToUtf8(csPath));
}

KvReplaceFile::~KvReplaceFile()
{
    Discard();
}

void KvReplaceFile::Open(const std::string& csPath)
{
    if (csPath.empty()) return Fail("no file name");
    m_csTarget = csPath;
    if (!followLinks(m_csTarget)) return FailWithErrno(errno);
    struct stat st {};
    if (::stat(m_csTarget.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return FailWithErrno(EISDIR);
        // A device or a pipe would be replaced by a plain file rather than written to.
        if (!S_ISREG(st.st_mode)) return Fail("not a regular file");
        m_bReplacing = true;
        m_nMode = st.st_mode & 07777;
        m_nOwner = st.st_uid;
        m_nGroup = st.st_gid;
    }

    const std::string csFolder = folderOf(m_csTarget);
    std::string csBase = nameOf(m_csTarget);
    if (csBase.empty()) return FailWithErrno(EISDIR);
    if (csBase.size() > kMaxBaseInTempName) csBase.resize(kMaxBaseInTempName);
    std::random_device random;
    for (int nTry = 0; nTry < 16 && m_fd < 0; ++nTry) {
        char szSuffix[16];
        std::snprintf(szSuffix, sizeof szSuffix, ".~%08x", static_cast<unsigned>(random()));
        m_csTemp = (csFolder == "/" ? "" : csFolder) + "/." + csBase + szSuffix;
        // Private while being written: the permissions the file ends with come at Commit.
        // A new file gets the usual ones (0666 less the umask).
        m_fd = ::open(m_csTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, m_bReplacing ? 0600 : 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        const int nError = errno;
        m_csTemp.clear();
        return FailWithErrno(nError);
    }
    m_buffer.reserve(kBufferSize);
}

void KvReplaceFile::Write(std::string_view bytes)
{
    if (m_fd < 0 || !m_csError.empty()) return;
    if (m_buffer.size() + bytes.size() > kBufferSize) Flush();
    if (bytes.size() >= kBufferSize)
        WriteAll(bytes);  // large pieces go straight to the file
    else
        m_buffer.append(bytes);
}

void KvReplaceFile::Flush()
{
    WriteAll(m_buffer);
    m_buffer.clear();
}

void KvReplaceFile::WriteAll(std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t nLeft = bytes.size();
    while (m_fd >= 0 && m_csError.empty() && nLeft > 0) {
        const ssize_t n = ::write(m_fd, p, nLeft);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A write that stores nothing without an error: the disk is full.
            FailWithErrno(n < 0 ? errno : ENOSPC);
            break;
        }
        p += n;
        nLeft -= static_cast<std::size_t>(n);
        Written(static_cast<std::uint64_t>(n));
    }
}

void KvReplaceFile::Written(std::uint64_t nBytes)
{
    // Start the disk writes of what is done while the rest is written, so that the fsync at
    // the end waits for the tail only. A hint: its failure changes nothing.
    m_nWritten += nBytes;
    if (m_nWritten - m_nStarted < kWriteBehind) return;
    ::sync_file_range(m_fd, static_cast<off_t>(m_nStarted), static_cast<off_t>(m_nWritten - m_nStarted),
                      SYNC_FILE_RANGE_WRITE);
    m_nStarted = m_nWritten;
}

bool KvReplaceFile::CopyFrom(int fdSource, std::uint64_t offset, std::uint64_t size)
{
    if (m_fd < 0 || !m_csError.empty()) return true;
    Flush();
    while (m_bKernelCopy && m_csError.empty() && size > 0) {
        auto from = static_cast<off_t>(offset);
        const ssize_t n = ::copy_file_range(fdSource, &from, m_fd, nullptr, size, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) {
            errno = 0;  // the file ended early
            return false;
        }
        if (n > 0) {
            offset += static_cast<std::uint64_t>(n);
            size -= static_cast<std::uint64_t>(n);
            Written(static_cast<std::uint64_t>(n));
            continue;
        }
        // Not between these files (another file system, a kernel without it): copy by hand.
        // Other errors are the written file's (full disk, size limit).
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF ||
            errno == EPERM || errno == ETXTBSY || errno == EOVERFLOW)
            m_bKernelCopy = false;
        else
            FailWithErrno(errno);
    }
    return size == 0 || !m_csError.empty() || ReadAndWrite(fdSource, offset, size);
}

bool KvReplaceFile::ReadAndWrite(int fdSource, std::uint64_t offset, std::uint64_t size)
{
    while (m_csError.empty() && size > 0) {
        m_buffer.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, kBufferSize)));
        const ssize_t n = ::pread(fdSource, m_buffer.data(), m_buffer.size(), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = 0;
            m_buffer.clear();
            return false;
        }
        m_buffer.resize(static_cast<std::size_t>(n));
        Flush();
        offset += static_cast<std::uint64_t>(n);
        size -= static_cast<std::uint64_t>(n);
    }
    return true;
}

bool KvReplaceFile::Commit()
{
    if (m_fd < 0) return false;
    Flush();
    if (m_csError.empty() && ::fsync(m_fd) != 0) FailWithErrno(errno);
    if (m_csError.empty() && m_bReplacing) {
        // Keep the owner where allowed; set-id bits only stay with their owner.
        unsigned nMode = m_nMode;
        if (::fchown(m_fd, m_nOwner, m_nGroup) != 0) nMode &= ~static_cast<unsigned>(S_ISUID | S_ISGID);
        if (::fchmod(m_fd, nMode) != 0) FailWithErrno(errno);
    }
    if (::close(m_fd) != 0 && m_csError.empty()) FailWithErrno(errno);
    m_fd = -1;
    if (m_csError.empty() && ::rename(m_csTemp.c_str(), m_csTarget.c_str()) != 0) FailWithErrno(errno);
    if (!m_csError.empty()) {
        RemoveTemporary();
        return false;
    }
    m_csTemp.clear();
    syncFolder(folderOf(m_csTarget));
    return true;
}

void KvReplaceFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    RemoveTemporary();
    m_buffer.clear();
}

void KvReplaceFile::RemoveTemporary()
{
    if (m_csTemp.empty()) return;
    ::unlink(m_csTemp.c_str());
    m_csTemp.clear();
}

void KvReplaceFile::Fail(const std::string& csWhy)
{
    if (m_csError.empty()) m_csError = csWhy;
}

void KvReplaceFile::FailWithErrno(int nError)
{
    Fail(std::strerror(nError));
}
