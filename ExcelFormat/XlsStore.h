#pragma once
// The compound-document container of an .xls file, over libgsf's MS-OLE writer: a
// version-3 file (512-byte sectors) whose root holds the streams added to it.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

class KvReplaceFile;

typedef struct _GsfOutput GsfOutput;
typedef struct _GsfOutfile GsfOutfile;

namespace XlsStore {

class StorageFile {
public:
    StorageFile();
    ~StorageFile();  // closes an open container
    StorageFile(const StorageFile&) = delete;
    StorageFile& operator=(const StorageFile&) = delete;

    // Starts a new file at csPath, replacing any file there once closed. The container is
    // built in memory and stored by CloseContainer through a file beside the target,
    // renamed into place only once complete.
    bool CreateContainer(const std::u16string& csPath);
    // 1 on success, -1 on failure.
    int AddStream(const std::string& csName);
    // Writes the whole content of a stream added before; 1 on success, -1 on failure.
    int WriteStream(const std::string& csName, const std::uint8_t* pData, std::size_t nSize);
    // Completes the file; true when a container was open and everything reached the disk
    // (a full disk shows only here).
    bool CloseContainer();
    // Drops the file being written: nothing appears at the target.
    void DiscardContainer();
    bool HasContainer() const { return m_pRoot != nullptr; }
    // Why the last container was not stored; empty when it was.
    const std::string& ErrorText() const { return m_csError; }

private:
    void Release();

    std::unique_ptr<KvReplaceFile> m_pFile;
    std::string m_csError;
    GsfOutput* m_pSink = nullptr;
    GsfOutfile* m_pRoot = nullptr;
    std::map<std::string, GsfOutput*> m_streams;  // added, not yet written
    bool m_bFailed = false;
};

}  // namespace XlsStore
