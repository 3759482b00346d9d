// Bad drawings and targets: a clear message naming the file (and the line), no crash,
// nothing half-written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "DxfTestSupport.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfWriter.h"
#include "kv/kv.h"

using namespace dxftest;

namespace {

std::string sample()
{
    return readAll(sourceDir() + "/samples/office_floor.dxf");
}

// Line number (from 1) of the byte offset.
int lineAt(const std::string& s, std::size_t offset)
{
    return 1 + static_cast<int>(std::count(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

std::string readError(const std::string& bytes, const std::string& name, std::size_t window)
{
    try {
        dxfReadBytes(bytes, name, window);
    } catch (const DxfError& e) {
        return e.what();
    }
    return "no error";
}

// The message, the same whether the fault falls inside a window or across its end.
std::string readError(const std::string& bytes, const std::string& name = "bad.dxf")
{
    std::string whole = readError(bytes, name, 4 << 20);
    EXPECT_EQ(readError(bytes, name, 53), whole);
    return whole;
}

TEST(BadDrawing, EachFaultGivesAClearMessageWithFileAndLine)
{
    const std::string good = sample();

    std::string truncated = good.substr(0, good.size() / 2);
    EXPECT_NE(readError(truncated).find("bad.dxf"), std::string::npos);
    EXPECT_NE(readError(truncated).find("truncated"), std::string::npos) << readError(truncated);

    std::string noEof = good.substr(0, good.rfind("  0\nEOF"));
    EXPECT_NE(readError(noEof).find("without EOF"), std::string::npos) << readError(noEof);

    std::string notNumber = good;
    std::size_t at = notNumber.find("\n 10\n", notNumber.find("ENTITIES")) + 5;
    notNumber.replace(at, notNumber.find('\n', at) - at, "12.5x");
    EXPECT_NE(readError(notNumber).find("line " + std::to_string(lineAt(notNumber, at)) + ": number expected"),
              std::string::npos)
        << readError(notNumber);

    std::string odd = good.substr(0, good.find("  0\nENDSEC", good.find("ENTITIES"))) + "  8\n";
    EXPECT_NE(readError(odd).find("without its value"), std::string::npos) << readError(odd);

    std::string badCode = good;
    at = badCode.find("\n  8\n", badCode.find("ENTITIES")) + 1;
    badCode.replace(at, 3, "  X");
    EXPECT_NE(readError(badCode).find("line " + std::to_string(lineAt(badCode, at)) + ": group code expected"),
              std::string::npos)
        << readError(badCode);

    // The second entity takes the first one's handle.
    std::string duplicate = good;
    std::size_t first = duplicate.find("\n  5\n", duplicate.find("\n  0\nLINE\n", duplicate.find("ENTITIES"))) + 5;
    std::string handle = duplicate.substr(first, duplicate.find('\n', first) - first);
    std::size_t second = duplicate.find("\n  5\n", duplicate.find("\n  0\nLINE\n", first)) + 5;
    duplicate.replace(second, duplicate.find('\n', second) - second, handle);
    std::string message = readError(duplicate);
    EXPECT_NE(message.find("duplicate handle " + handle), std::string::npos) << message;
    EXPECT_NE(message.find("line "), std::string::npos) << message;

    std::string version = good;
    version.replace(version.find("AC1024"), 6, "AC2099");
    EXPECT_NE(readError(version).find("unknown DXF version \"AC2099\""), std::string::npos) << readError(version);

    std::string garbage;
    for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
    EXPECT_NE(readError(garbage).find("bad.dxf"), std::string::npos) << readError(garbage);
    EXPECT_NE(readError("").find("empty"), std::string::npos);

    std::string badBlock = good;
    at = badBlock.find("\nDESK\n", badBlock.find("ENTITIES")) + 1;
    badBlock.replace(at, 4, "DISK");
    EXPECT_NE(readError(badBlock).find("block \"DISK\" is not defined"), std::string::npos) << readError(badBlock);
}

// Two faults the fuzzer found: an object dropped on a bad handle leaked, and a record in a
// table of another kind was taken for that kind.
TEST(BadDrawing, FuzzerFindsStayFixed)
{
    std::string badHandle = "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nZZ\n  0\nENDSEC\n  0\nEOF\n";
    EXPECT_NE(readError(badHandle).find("line 8: handle expected for group code 5"), std::string::npos)
        << readError(badHandle);
    std::string wrongTable =
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nVPORT\n  0\nLAYER\n  2\nA\n"
        "  0\nENDTAB\n  0\nENDSEC\n  0\nEOF\n";
    EXPECT_NE(readError(wrongTable).find("line 9: LAYER record in the VPORT table"), std::string::npos)
        << readError(wrongTable);
}

TEST(BadDrawing, BinaryFileCutShortNamesTheByte)
{
    TempDir dir;
    runPython(scriptPath("make_oracle_drawing.py") + " R2010 " + dir.file("b.dxf") + " bin");
    std::string bin = readAll(dir.file("b.dxf"));
    ASSERT_GT(bin.size(), 1000u);
    std::string message = readError(bin.substr(0, bin.size() - 7), "b.dxf");
    EXPECT_NE(message.find("b.dxf, byte "), std::string::npos) << message;
}

TEST(BadDrawing, MissingOrUnreadableFile)
{
    TempDir dir;
    try {
        dxfReadFile(dir.file("nothing.dxf"));
        ADD_FAILURE() << "no error";
    } catch (const DxfError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.file("nothing.dxf") + ": cannot open"), std::string::npos) << e.what();
    }
    try {
        dxfReadFile(dir.path());
        ADD_FAILURE() << "no error";
    } catch (const DxfError& e) {
        EXPECT_NE(std::string(e.what()).find("is a folder"), std::string::npos) << e.what();
    }
}

TEST(BadTarget, FailedSaveLeavesTheTargetAndNoTemporaryFile)
{
    TempDir dir;
    DxfLoaded loaded = dxfReadFile(sourceDir() + "/samples/office_floor.dxf");
    kvdbHostApplicationServices()->setWorkingDatabase(loaded.database.get());
    kvdbRegApp(u"CHANGED");  // so that the save has something to write
    try {
        dxfWriteFile(*loaded.database, *loaded.document, "/proc/kvdxf/none.dxf");
        ADD_FAILURE() << "no error";
    } catch (const DxfError& e) {
        EXPECT_NE(std::string(e.what()).find("/proc/kvdxf/none.dxf: cannot write"), std::string::npos) << e.what();
    }
    // A folder in the way of the target.
    std::string folder = dir.file("drawing.dxf");
    ::mkdir(folder.c_str(), 0755);
    EXPECT_THROW(dxfWriteFile(*loaded.database, *loaded.document, folder), DxfError);
    // A drawing that cannot be saved (R12 with changes) leaves an existing target alone.
    TempDir oracle;
    runPython(scriptPath("make_oracle_drawing.py") + " R12 " + oracle.file("r12.dxf"));
    DxfLoaded r12 = dxfReadFile(oracle.file("r12.dxf"));
    kvdbHostApplicationServices()->setWorkingDatabase(r12.database.get());
    kvdbRegApp(u"CHANGED");
    std::string target = dir.file("keep.dxf");
    writeAll(target, "precious");
    EXPECT_THROW(dxfWriteFile(*r12.database, *r12.document, target), DxfError);
    EXPECT_EQ(readAll(target), "precious");
    std::string listing = runPython("-c \"import os; print(len(os.listdir('" + dir.path() + "')))\"");
    EXPECT_EQ(listing, "2\n") << "no temporary file left beside the target";
}

// The drawing's unchanged parts are copied from the file it was opened from, which stays
// open: moving or deleting the file does not matter, another program rewriting it does.
TEST(SourceFile, MovedFileStillSavesRewrittenFileIsRefused)
{
    TempDir dir;
    const std::string original = readAll(sourceDir() + "/samples/office_floor.dxf");
    writeAll(dir.file("a.dxf"), original);
    DxfLoaded moved = dxfReadFile(dir.file("a.dxf"));
    ASSERT_EQ(::rename(dir.file("a.dxf").c_str(), dir.file("elsewhere.dxf").c_str()), 0);
    ASSERT_EQ(::unlink(dir.file("elsewhere.dxf").c_str()), 0);
    dxfWriteFile(*moved.database, *moved.document, dir.file("saved.dxf"));
    EXPECT_TRUE(readAll(dir.file("saved.dxf")) == original);

    writeAll(dir.file("b.dxf"), original);
    DxfLoaded rewritten = dxfReadFile(dir.file("b.dxf"));
    writeAll(dir.file("b.dxf"), original + "999\nrewritten by another program\n");
    try {
        dxfWriteFile(*rewritten.database, *rewritten.document, dir.file("not_saved.dxf"));
        ADD_FAILURE() << "no error";
    } catch (const DxfError& e) {
        EXPECT_NE(std::string(e.what()).find("b.dxf: the file was changed by another program"), std::string::npos)
            << e.what();
    }
    EXPECT_NE(::access(dir.file("not_saved.dxf").c_str(), F_OK), 0);
}

}  // namespace
