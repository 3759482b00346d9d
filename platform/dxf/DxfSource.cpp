#include "dxf/DxfSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "dxf/DxfError.h"

DxfSource DxfSource::openFile(const std::string& path)
{
    DxfSource source;
    source.m_name = path;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw DxfError(path + ": cannot open the file (" + std::strerror(errno) + ")");
    source.m_fd = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw DxfError(path + ": cannot read the file (" + std::strerror(errno) + ")");
    if (S_ISDIR(st.st_mode)) throw DxfError(path + ": is a folder, not a drawing file");
    if (!S_ISREG(st.st_mode)) throw DxfError(path + ": is not a regular file");
    source.m_size = static_cast<std::uint64_t>(st.st_size);
    source.m_modified = st.st_mtim;
    return source;
}

DxfSource DxfSource::fromBytes(std::string bytes, std::string name)
{
    DxfSource source;
    source.m_name = std::move(name);
    source.m_size = bytes.size();
    source.m_bytes = std::move(bytes);
    return source;
}

DxfSource::DxfSource(DxfSource&& other) noexcept
{
    *this = std::move(other);
}

DxfSource& DxfSource::operator=(DxfSource&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_name = std::move(other.m_name);
        m_bytes = std::move(other.m_bytes);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_modified = other.m_modified;
    }
    return *this;
}

DxfSource::~DxfSource()
{
    if (m_fd >= 0) ::close(m_fd);
}

void DxfSource::checkUnchanged() const
{
    if (m_fd < 0) return;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) throw DxfError(m_name + ": cannot read the file (" + std::strerror(errno) + ")");
    if (static_cast<std::uint64_t>(st.st_size) != m_size || st.st_mtim.tv_sec != m_modified.tv_sec ||
        st.st_mtim.tv_nsec != m_modified.tv_nsec)
        throw DxfError(m_name +
                       ": the file was changed by another program since the drawing was opened; "
                       "its unchanged parts can no longer be copied from it");
}

void DxfSource::read(std::uint64_t begin, std::size_t size, std::string& out) const
{
    if (begin > m_size || size > m_size - begin) throw DxfError(m_name + ": read past the end of the file");
    const std::size_t at = out.size();
    out.resize(at + size);
    try {
        readInto(begin, size, out.data() + at);
    } catch (...) {
        out.resize(at);
        throw;
    }
}

void DxfSource::readInto(std::uint64_t begin, std::size_t size, char* out) const
{
    if (begin > m_size || size > m_size - begin) throw DxfError(m_name + ": read past the end of the file");
    if (m_fd < 0) {
        std::memcpy(out, m_bytes.data() + begin, size);
        return;
    }
    checkUnchanged();
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(m_fd, out + done, size - done, static_cast<off_t>(begin + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            throw DxfError(m_name + ": cannot read the file (" + (n < 0 ? std::strerror(errno) : "it became shorter") +
                           ")");
        done += static_cast<std::size_t>(n);
    }
}

std::string DxfSource::readAll() const
{
    std::string out;
    read(0, static_cast<std::size_t>(m_size), out);
    return out;
}

std::uint32_t DxfSource::lineAt(std::uint64_t offset) const
{
    std::uint32_t line = 1;
    std::string block;
    constexpr std::size_t kBlock = 1 << 20;
    offset = std::min(offset, m_size);
    for (std::uint64_t at = 0; at < offset; at += kBlock) {
        block.clear();
        read(at, static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, offset - at)), block);
        line += static_cast<std::uint32_t>(std::count(block.begin(), block.end(), '\n'));
    }
    return line;
}

std::string_view DxfSourceWindow::from(std::uint64_t begin, std::size_t size)
{
    const std::uint64_t wanted = std::min<std::uint64_t>(size, m_source.size() - std::min(begin, m_source.size()));
    if (begin < m_begin || begin + wanted > m_begin + m_size) {
        m_size = 0;
        m_begin = begin;
        const auto size = static_cast<std::size_t>(
            std::max<std::uint64_t>(wanted, std::min<std::uint64_t>(m_bytes, m_source.size() - begin)));
        if (size > m_capacity) {
            m_data.reset();
            m_data = std::make_unique_for_overwrite<char[]>(size);
            m_capacity = size;
        }
        m_source.readInto(begin, size, m_data.get());
        m_size = size;
    }
    return std::string_view(m_data.get(), m_size).substr(static_cast<std::size_t>(begin - m_begin));
}
