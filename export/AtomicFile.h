#pragma once
// A file written beside its target and renamed into place only once complete: a failure
// midway (full disk, I/O error) leaves neither a half-written file nor a damaged old one.
#include <string>
#include <string_view>

class AtomicFile {
public:
    // Creates the temporary file next to csPath; IsOpen() tells whether that worked.
    explicit AtomicFile(const std::u16string& csPath);
    ~AtomicFile();  // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // Buffered; a failed write is remembered and makes Commit fail.
    void Write(std::string_view bytes);
    void Write(char c)
    {
        if (m_buffer.size() >= kBufferSize) Flush();
        m_buffer.push_back(c);
    }
    // Flushes, closes and renames over the target; true when the target is complete.
    bool Commit();

private:
    static constexpr std::size_t kBufferSize = 1 << 20;
    void Flush();
    void Discard();

    std::string m_csTarget;
    std::string m_csTemp;
    std::string m_buffer;
    int m_fd = -1;
    bool m_bFailed = false;
};
