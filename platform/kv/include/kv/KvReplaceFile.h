#pragma once
// Replacing a file whole, for every file the host and its plug-ins write: the content goes
// to a new file beside the target (a random name, created exclusively), which is flushed to
// the disk and renamed over the target only once complete. A failure at any point (full
// disk, file-size limit, I/O error, no permission) leaves the old file as it was and no
// temporary file behind, and says why.
//
// The replaced file keeps its permissions (and its owner where the process may keep it). A
// target that is a symbolic link is written through: the file it points to is replaced,
// atomically, and the link stays a link.
//
//   KvReplaceFile file(path);
//   file.Write(bytes);               // buffered; the first failure is kept
//   if (!file.Commit()) report(file.ErrorText());
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class KvReplaceFile {
public:
    // Starts the temporary file at once, so that a path that cannot be written fails early
    // (IsOpen() false, ErrorText() says why). Paths are UTF-8.
    explicit KvReplaceFile(const std::string& csPath);
    explicit KvReplaceFile(std::u16string_view csPath);
    ~KvReplaceFile();  // discards the temporary file unless committed
    KvReplaceFile(const KvReplaceFile&) = delete;
    KvReplaceFile& operator=(const KvReplaceFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    void Write(std::string_view bytes);
    // Appends size bytes of another file, from offset on, copied by the kernel where the
    // file systems allow it (read and written here otherwise). False when that file could
    // not be read: errno says why, 0 when it ended first. A failed write is kept as Write's.
    bool CopyFrom(int fdSource, std::uint64_t offset, std::uint64_t size);
    // Flushes, syncs and renames over the target; true when the target is complete on disk.
    bool Commit();
    // Drops what was written: the target stays as it was.
    void Discard();

    // Why the file was not written: the system's error text, or what is wrong with the
    // target; empty while nothing failed.
    const std::string& ErrorText() const { return m_csError; }
    // The file actually replaced: the target with its symbolic links followed.
    const std::string& TargetPath() const { return m_csTarget; }

private:
    void Open(const std::string& csPath);
    void Flush();
    void WriteAll(std::string_view bytes);
    bool ReadAndWrite(int fdSource, std::uint64_t offset, std::uint64_t size);
    void Written(std::uint64_t nBytes);
    void Fail(const std::string& csWhy);
    void FailWithErrno(int nError);
    void RemoveTemporary();

    static constexpr std::size_t kBufferSize = 1 << 20;
    static constexpr std::uint64_t kWriteBehind = 8u << 20;
    std::string m_csTarget;
    std::string m_csTemp;
    std::string m_buffer;
    std::string m_csError;
    int m_fd = -1;
    std::uint64_t m_nWritten = 0;  // bytes in the temporary file
    std::uint64_t m_nStarted = 0;  // of which the disk writes were started
    bool m_bKernelCopy = true;     // until the kernel refuses to copy between these files
    bool m_bReplacing = false;     // the target exists: its mode and owner go to the new file
    unsigned m_nMode = 0;
    unsigned m_nOwner = 0;
    unsigned m_nGroup = 0;
};
