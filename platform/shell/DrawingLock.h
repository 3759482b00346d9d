#pragma once
// An advisory lock on the file of an open drawing, as CAD programs take one: a second
// session that opens the same file learns who has it open and works on it read-only. The
// lock goes with the process: nothing stale is left when a session dies.
#include <sys/types.h>

#include <string>

// Which file a path named: a file replaced by a save under the same name is another one.
struct FileIdentity {
    bool bExists = false;
    dev_t device = 0;
    ino_t inode = 0;

    static FileIdentity of(const std::string& path);
    bool sameAs(const FileIdentity& other) const
    {
        return bExists && other.bExists && device == other.device && inode == other.inode;
    }
};

class DrawingLock {
public:
    enum class Result { Locked, HeldElsewhere, NotLockable };

    DrawingLock() = default;
    ~DrawingLock() { release(); }
    DrawingLock(DrawingLock&& other) noexcept;
    DrawingLock& operator=(DrawingLock&& other) noexcept;
    DrawingLock(const DrawingLock&) = delete;
    DrawingLock& operator=(const DrawingLock&) = delete;

    // Locks the file at path (the one there now) for this session. HeldElsewhere names the
    // holder in holder ("kvhost (process 1234, user ann)"); a file that cannot be opened or
    // locked (a missing file, a file system without locks) gives NotLockable and no lock.
    // identity() is then the file that was found at path.
    Result take(const std::string& path, std::string& holder);
    void release();
    bool held() const { return m_fd >= 0; }
    const FileIdentity& identity() const { return m_identity; }

private:
    int m_fd = -1;
    FileIdentity m_identity;
};
