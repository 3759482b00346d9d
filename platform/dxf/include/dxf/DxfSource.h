#pragma once
#include <ctime>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The bytes a drawing was read from. A file stays open, not in memory, for as long as the
// drawing is: saving copies what did not change from it, as CAD programs keep their drawing
// files open. Renaming or deleting the file meanwhile does no harm; a file changed in place
// by another program is refused rather than mixed into the saved drawing.
class DxfSource {
public:
    DxfSource() = default;
    // Throws DxfError naming the file when it cannot be opened.
    static DxfSource openFile(const std::string& path);
    static DxfSource fromBytes(std::string bytes, std::string name);
    DxfSource(DxfSource&& other) noexcept;
    DxfSource& operator=(DxfSource&& other) noexcept;
    DxfSource(const DxfSource&) = delete;
    DxfSource& operator=(const DxfSource&) = delete;
    ~DxfSource();

    const std::string& name() const { return m_name; }
    std::uint64_t size() const { return m_size; }
    // Appends size bytes from offset begin to out. Throws DxfError when the file can no
    // longer be read or has changed since it was opened.
    void read(std::uint64_t begin, std::size_t size, std::string& out) const;
    // The same into out's first size bytes.
    void readInto(std::uint64_t begin, std::size_t size, char* out) const;
    std::string readAll() const;
    // Line number (from 1) of a byte offset, for messages.
    std::uint32_t lineAt(std::uint64_t offset) const;
    // Throws DxfError when the file changed since it was opened.
    void checkUnchanged() const;
    // The open file, for copies the kernel makes; -1 when the source is bytes in memory.
    int fileDescriptor() const { return m_fd; }

private:
    std::string m_name;
    std::string m_bytes;  // when not from a file
    int m_fd = -1;
    std::uint64_t m_size = 0;
    struct timespec m_modified {};
};

// A stretch of a source in memory, moved on as a reader or writer goes through the file in
// order, so that neither holds the whole file.
class DxfSourceWindow {
public:
    DxfSourceWindow(const DxfSource& source, std::size_t bytes) : m_source(source), m_bytes(bytes) {}
    // The file from begin to the window's end: at least size bytes (fewer only at the end
    // of the file). The view lasts until the next call.
    std::string_view from(std::uint64_t begin, std::size_t size);

private:
    const DxfSource& m_source;
    std::size_t m_bytes;
    // Not a string: its bytes would be cleared before every read over them.
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0, m_capacity = 0;
    std::uint64_t m_begin = 0;
};
