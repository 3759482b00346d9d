#include <gtest/gtest.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <vector>

#include "kv/KvReplaceFile.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const fs::path& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

bool Replace(const fs::path& path, const std::string& csBytes, std::string* pcsError = nullptr)
{
    KvReplaceFile file(path.string());
    file.Write(csBytes);
    const bool bDone = file.Commit();
    if (pcsError) *pcsError = file.ErrorText();
    return bDone;
}

TEST(ReplaceFileTest, ReplacedFileKeepsItsModeAndOwnerNewFileGetsTheUsualMode)
{
    ScratchDir dir;
    WriteBytes(dir.Path("secret.csv"), "old");
    ::chmod(dir.Path("secret.csv").c_str(), 0600);
    const bool bRoot = ::geteuid() == 0;
    if (bRoot) {
        ASSERT_EQ(::chown(dir.Path("secret.csv").c_str(), 65534, 65534), 0);
    }
    WriteBytes(dir.Path("tool.sh"), "old");
    ::chmod(dir.Path("tool.sh").c_str(), 0751);
    ASSERT_TRUE(Replace(dir.Path("secret.csv"), "new"));
    ASSERT_TRUE(Replace(dir.Path("tool.sh"), "new"));
    EXPECT_EQ(ReadBytes(dir.Path("secret.csv")), "new");
    EXPECT_EQ(ModeOf(dir.Path("secret.csv")), 0600u);
    EXPECT_EQ(ModeOf(dir.Path("tool.sh")), 0751u);
    if (bRoot) {
        struct stat st {};
        ::stat(dir.Path("secret.csv").c_str(), &st);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }

    const mode_t mask = ::umask(027);
    ASSERT_TRUE(Replace(dir.Path("fresh.csv"), "x"));
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir.Path("fresh.csv")), 0640u);
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"fresh.csv", "secret.csv", "tool.sh"}));
}

TEST(ReplaceFileTest, SymbolicLinksAreWrittenThroughAndStayLinks)
{
    ScratchDir dir;
    fs::create_directory(dir.Path("data"));
    fs::create_directory(dir.Path("links"));
    WriteBytes(dir.Path("data/book.xls"), "old");
    ::chmod(dir.Path("data/book.xls").c_str(), 0640);
    // A relative link to a relative link, and a dangling one.
    fs::create_symlink("../data/book.xls", dir.Path("links/first"));
    fs::create_symlink("first", dir.Path("links/second"));
    fs::create_symlink("../data/later.xls", dir.Path("links/dangling"));

    KvReplaceFile file(dir.Path("links/second").string());
    EXPECT_EQ(file.TargetPath(), dir.Path("links/../data/book.xls").string());
    file.Write("new");
    ASSERT_TRUE(file.Commit());
    ASSERT_TRUE(Replace(dir.Path("links/dangling"), "made"));

    EXPECT_TRUE(fs::is_symlink(dir.Path("links/first")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("links/second")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("links/dangling")));
    EXPECT_EQ(ReadBytes(dir.Path("data/book.xls")), "new");
    EXPECT_EQ(ModeOf(dir.Path("data/book.xls")), 0640u);
    EXPECT_EQ(ReadBytes(dir.Path("data/later.xls")), "made");
    // The temporary file was made beside the target, and is gone.
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"data", "links"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("data")), fs::directory_iterator()), 2);

    fs::create_symlink("loop", dir.Path("loop"));
    std::string csError;
    EXPECT_FALSE(Replace(dir.Path("loop"), "x", &csError));
    EXPECT_EQ(csError, "Too many levels of symbolic links");
}

TEST(ReplaceFileTest, TargetsThatAreNoPlainFileAreRefusedUntouched)
{
    ScratchDir dir;
    fs::create_directory(dir.Path("folder"));
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    std::string csError;
    EXPECT_FALSE(Replace(dir.Path("folder"), "x", &csError));
    EXPECT_EQ(csError, "Is a directory");
    EXPECT_FALSE(Replace(dir.Path("pipe"), "x", &csError));
    EXPECT_EQ(csError, "not a regular file");
    EXPECT_FALSE(Replace(dir.Path("missing/x.csv"), "x", &csError));
    EXPECT_EQ(csError, "No such file or directory");
    EXPECT_TRUE(fs::is_directory(dir.Path("folder")));
    EXPECT_TRUE(fs::is_fifo(dir.Path("pipe")));
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"folder", "pipe"}));
}

TEST(ReplaceFileTest, FailedWritesAndDiscardsKeepTheOldFileAndLeaveNothing)
{
    ScratchDir dir;
    WriteBytes(dir.Path("out.dxf"), "previous");
    std::string csError;
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(Replace(dir.Path("out.dxf"), std::string(3 << 20, 'x'), &csError));  // past the buffer
        EXPECT_EQ(csError, "File too large");
        EXPECT_FALSE(Replace(dir.Path("out.dxf"), std::string(8000, 'x'), &csError));  // at Commit
        EXPECT_EQ(csError, "File too large");
    }
    {
        KvReplaceFile file(dir.Path("out.dxf").string());
        file.Write("abandoned");
    }
    {
        KvReplaceFile file(dir.Path("out.dxf").string());
        file.Write("dropped");
        file.Discard();
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(ReadBytes(dir.Path("out.dxf")), "previous");
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"out.dxf"});

    // A folder the process may not write to (root may write anywhere).
    if (::geteuid() != 0) {
        fs::create_directory(dir.Path("locked"));
        WriteBytes(dir.Path("locked/a.kvx"), "kept");
        ::chmod(dir.Path("locked").c_str(), 0555);
        EXPECT_FALSE(Replace(dir.Path("locked/a.kvx"), "x", &csError));
        EXPECT_EQ(csError, "Permission denied");
        ::chmod(dir.Path("locked").c_str(), 0755);
        EXPECT_EQ(ReadBytes(dir.Path("locked/a.kvx")), "kept");
    }
}

// Unchanged stretches of a drawing are copied from the file it was read from: by the kernel
// on one file system, by hand across two (tmpfs to the disk).
TEST(ReplaceFileTest, CopiedStretchesOfAnotherFileComeInOrderWithWrittenBytes)
{
    ScratchDir dir;
    std::string csSource(300000, '\0');
    for (std::size_t i = 0; i < csSource.size(); ++i) csSource[i] = static_cast<char>('a' + i * 7 % 26);
    std::vector<fs::path> sources{dir.Path("source.dxf")};
    if (fs::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0)
        sources.push_back(fs::path("/dev/shm") / ("kv-copy-test-" + std::to_string(::getpid())));
    else
        std::cerr << "no writable /dev/shm: the copy across file systems is not tested\n";
    const std::string csExpected = "head" + csSource.substr(1000, 200000) + "mid" + csSource.substr(0, 10);
    for (const fs::path& source : sources) {
        WriteBytes(source, csSource);
        const int fd = ::open(source.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        {
            KvReplaceFile file(dir.Path("out.dxf").string());
            file.Write("head");
            EXPECT_TRUE(file.CopyFrom(fd, 1000, 200000));
            file.Write("mid");
            EXPECT_TRUE(file.CopyFrom(fd, 0, 10));
            EXPECT_TRUE(file.Commit()) << file.ErrorText();
        }
        EXPECT_EQ(ReadBytes(dir.Path("out.dxf")), csExpected) << source;
        {
            KvReplaceFile file(dir.Path("out.dxf").string());
            errno = EINVAL;
            EXPECT_FALSE(file.CopyFrom(fd, csSource.size() - 5, 10));  // the file ends first
            EXPECT_EQ(errno, 0);
            FileSizeLimit limit(4096);
            EXPECT_TRUE(file.CopyFrom(fd, 0, csSource.size()));
            EXPECT_EQ(file.ErrorText(), "File too large");
            EXPECT_FALSE(file.Commit());
        }
        EXPECT_EQ(ReadBytes(dir.Path("out.dxf")), csExpected);
        ::close(fd);
        if (source != sources.front()) fs::remove(source);
    }
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"out.dxf", "source.dxf"}));
}

}  // namespace
