#pragma once
// A fresh directory per test, file helpers, and a file-size limit that makes writes fail
// midway as a full disk would.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "kv/KvString.h"

class ScratchDir {
public:
    ScratchDir()
    {
        std::string csTemplate = (std::filesystem::temp_directory_path() / "kvexport.XXXXXX").string();
        m_path = ::mkdtemp(csTemplate.data());
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::filesystem::path Path(const std::string& csName) const { return m_path / csName; }
    std::u16string WidePath(const std::string& csName) const { return kvFromUtf8(Path(csName).string()); }
    // Names of everything in the directory: shows leftover temporary files.
    std::set<std::string> Entries() const
    {
        std::set<std::string> seNames;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            seNames.insert(entry.path().filename().string());
        return seNames;
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& csBytes)
{
    std::ofstream(path, std::ios::binary) << csBytes;
}

// While alive, no file of this process may grow past nBytes (writes fail with EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t nBytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = nBytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};
