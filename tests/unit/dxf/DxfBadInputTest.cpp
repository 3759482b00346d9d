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

std::string readError(const std::string& bytes, const std::string& name, std::size_t window)
{
    return errorOf([&] { dxfReadBytes(bytes, name, window); });
}

// The message, the same whether the fault falls inside a window or across its end, and
// before, in or after a part read by a second thread.
std::string readError(const std::string& bytes, const std::string& name = "bad.dxf")
{
    std::string whole = readError(bytes, name, 4 << 20);
    EXPECT_EQ(readError(bytes, name, 53), whole);
    for (const DxfReadOptions& split : splitReads(bytes))
        EXPECT_EQ(errorOf([&] { dxfReadBytes(bytes, name, split); }), whole) << "part from " << split.splitNear;
    return whole;
}

// "line N" of the byte offset (lines from 1).
std::string lineAt(const std::string& s, std::size_t offset)
{
    return "line " + std::to_string(1 + std::count(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

struct BadCase {
    std::string name, bytes;
    std::vector<std::string> says;  // parts of the message
};

TEST(BadDrawing, EachFaultGivesAClearMessageWithFileAndLine)
{
    const std::string good = sample();
    const std::size_t entities = good.find("ENTITIES");
    std::vector<BadCase> cases = {
        {"truncated", good.substr(0, good.size() / 2), {"bad.dxf", "truncated"}},
        {"no EOF", good.substr(0, good.rfind("  0\nEOF")), {"without EOF"}},
        {"odd tag count", good.substr(0, good.find("  0\nENDSEC", entities)) + "  8\n", {"without its value"}},
        {"unknown version", replaceFirst(good, "AC1024", "AC2099"), {"unknown DXF version \"AC2099\""}},
        {"empty", "", {"empty"}},
        {"undefined block", replaceFirst(good, "\nDESK\n", "\nDISK\n", entities), {"block \"DISK\" is not defined"}},
        {"followers cut short",
         replaceFirst(good, "  0\nENDSEC\n",
                      "  0\nINSERT\n  8\n0\n  2\nDESK\n 66\n1\n  0\nATTRIB\n  8\n0\n  2\nT\n  1\nv\n  0\nENDSEC\n",
                      entities),
         {"SEQEND missing before ENDSEC"}},
    };
    std::size_t at = good.find("\n 10\n", entities) + 5;
    std::string notNumber = good;
    notNumber.replace(at, notNumber.find('\n', at) - at, "12.5x");
    cases.push_back({"not a number", notNumber, {lineAt(notNumber, at) + ": number expected"}});
    at = good.find("\n  8\n", entities) + 1;
    cases.push_back(
        {"bad code", std::string(good).replace(at, 3, "  X"), {lineAt(good, at) + ": group code expected"}});
    // The second entity takes the first one's handle.
    const std::size_t first = good.find("\n  5\n", good.find("\n  0\nLINE\n", entities)) + 5;
    std::string handle;
    withValue(good, first - 5, "  5", "", &handle);
    cases.push_back({"duplicate handle",
                     withValue(good, good.find("\n  0\nLINE\n", first), "  5", handle),
                     {"duplicate handle " + handle, "line "}});
    std::string garbage;
    for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
    cases.push_back({"garbage", garbage, {"bad.dxf"}});

    for (const BadCase& c : cases) {
        const std::string message = readError(c.bytes);
        for (const std::string& part : c.says)
            EXPECT_NE(message.find(part), std::string::npos) << c.name << ": " << message;
    }
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
    std::string missing = errorOf([&] { dxfReadFile(dir.file("nothing.dxf")); });
    EXPECT_NE(missing.find(dir.file("nothing.dxf") + ": cannot open"), std::string::npos) << missing;
    std::string folder = errorOf([&] { dxfReadFile(dir.path()); });
    EXPECT_NE(folder.find("is a folder"), std::string::npos) << folder;
}

TEST(BadTarget, FailedSaveLeavesTheTargetAndNoTemporaryFile)
{
    TempDir dir;
    DxfLoaded loaded = dxfReadFile(sourceDir() + "/samples/office_floor.dxf");
    kvdbHostApplicationServices()->setWorkingDatabase(loaded.database.get());
    kvdbRegApp(u"CHANGED");  // so that the save has something to write
    std::string message = errorOf([&] { dxfWriteFile(*loaded.database, *loaded.document, "/proc/kvdxf/none.dxf"); });
    EXPECT_NE(message.find("/proc/kvdxf/none.dxf: cannot write"), std::string::npos) << message;
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
    std::string message =
        errorOf([&] { dxfWriteFile(*rewritten.database, *rewritten.document, dir.file("not_saved.dxf")); });
    EXPECT_NE(message.find("b.dxf: the file was changed by another program"), std::string::npos) << message;
    EXPECT_NE(::access(dir.file("not_saved.dxf").c_str(), F_OK), 0);
}

}  // namespace

namespace {

// Handles of the records of an ASCII drawing, as another reader resolves them: every group 5
// outside the header (105 of a dimension style, whose 5 is a block name).
std::vector<std::string> recordHandles(const std::string& dxf)
{
    std::vector<std::string> l = lines(dxf), out;
    std::string type;
    for (std::size_t i = 0; i + 1 < l.size(); i += 2) {
        int code = std::stoi(l[i]);
        std::string value = l[i + 1];
        while (!value.empty() && (value.back() == ' ' || value.back() == '\r')) value.pop_back();
        if (code == 0) type = value;
        if (type != "SECTION" && ((code == 5 && type != "DIMSTYLE") || (code == 105 && type == "DIMSTYLE")))
            out.push_back(value);
    }
    return out;
}

std::string r2000Sample()
{
    return readAll(sourceDir() + "/samples/office_floor_r2000.dxf");
}

}  // namespace

// Records the database does not keep (BLOCK, ENDBLK, VERTEX, SEQEND) still hold handles: new
// objects come above every one of them, and above $HANDSEED when that is higher.
TEST(Handles, NewObjectsComeAboveEveryHandleOfTheFile)
{
    std::string noSeed = r2000Sample();
    std::size_t seed = noSeed.find("  9\n$HANDSEED\n");
    noSeed.erase(seed, noSeed.find("  9\n", seed + 4) - seed);
    noSeed = withValue(noSeed, noSeed.find("\nENDBLK\n"), "  5", "FFFF0");
    // The highest handle on a SEQEND in the far part of the entities, which a second thread reads.
    const std::size_t entitiesEnd = noSeed.find("\n  0\nENDSEC\n", noSeed.find("\nENTITIES\n"));
    const std::string lastEntity = withValue(noSeed, noSeed.rfind("\n  0\nSEQEND\n", entitiesEnd), "  5", "FFFF8");
    const std::string sample = r2000Sample();
    for (const std::string& bytes :
         {noSeed, lastEntity, withValue(sample, sample.find("\n$HANDSEED\n"), "  5", "1000000")}) {
        DxfLoaded loaded = dxfReadBytes(bytes, "seed.dxf");
        for (const DxfReadOptions& split : splitReads(bytes))
            EXPECT_EQ(dxfReadBytes(bytes, "seed.dxf", split).database->handseed().value(),
                      loaded.database->handseed().value())
                << "part from " << split.splitNear;
        kvdbHostApplicationServices()->setWorkingDatabase(loaded.database.get());
        ASSERT_EQ(kvdbRegApp(u"NEWAPP"), RTNORM);
        std::string saved = dxfWriteBytes(*loaded.database, *loaded.document);
        std::vector<std::string> handles = recordHandles(saved);
        std::sort(handles.begin(), handles.end());
        EXPECT_EQ(std::adjacent_find(handles.begin(), handles.end()), handles.end()) << "a handle twice";
        std::uint64_t highest = 0;
        for (const std::string& h : recordHandles(bytes))
            highest = std::max<std::uint64_t>(highest, std::stoull(h, nullptr, 16));
        EXPECT_GT(loaded.database->handseed().value(), std::max<std::uint64_t>(highest, 0xFFFEF));
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
}

// The last handle leaves no room for the objects a drawing needs: refused, never wrapped.
TEST(Handles, NoHandleLeftIsAClearRefusal)
{
    const std::string head = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$HANDSEED\n  5\n";
    const std::string line = "  0\nLINE\n  5\n%\n  8\n0\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n";
    auto drawing = [&](const std::string& seed, const std::string& handle) {
        return head + seed + "\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" + replaceFirst(line, "%", handle) +
               "  0\nENDSEC\n  0\nEOF\n";
    };
    std::string last = readError(drawing("2", "FFFFFFFFFFFFFFFF"));
    EXPECT_NE(last.find("line 19: handle FFFFFFFFFFFFFFFF leaves no room for new objects"), std::string::npos) << last;
    std::string used = readError(drawing("FFFFFFFFFFFFFFFF", "2A"));
    EXPECT_NE(used.find("no handle left for new objects ($HANDSEED FFFFFFFFFFFFFFFF)"), std::string::npos) << used;
    EXPECT_EQ(readError(drawing("FFFFFFFFFFFFFF00", "2A")), "no error") << "room for the made-up tables";
}

// What other programs write and CAD programs accept: R12 dimension styles whose group 5 is a
// block name (hexadecimal or not), data after EOF, an entity whose owner is no block record.
TEST(OtherPrograms, R12DimensionStylesDataAfterEofAndStrayOwnersRead)
{
    const std::string r12 =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n  0\nSECTION\n  2\nTABLES\n"
        "  0\nTABLE\n  2\nDIMSTYLE\n 70\n2\n  0\nDIMSTYLE\n  2\nSTANDARD\n 70\n0\n  5\nBOXBLANK\n"
        "  0\nDIMSTYLE\n  2\nOTHER\n 70\n0\n  5\nABC\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
        "  0\nLINE\n  5\nABC\n  8\n0\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n  0\nENDSEC\n  0\nEOF\n"
        "ignore\ninvalid\ndata\nbeyond\nEOF";
    DxfLoaded loaded = dxfReadBytes(r12, "r12.dxf", 4 << 20);
    KvDbObjectId line;
    ASSERT_EQ(loaded.database->getKvDbObjectId(line, KvDbHandle(0xABC)), Kvmo::eOk);
    EXPECT_NE(kvCast<KvDbLine>(loaded.database->objectAt(line)), nullptr);
    EXPECT_GT(loaded.database->handseed().value(), 0xABCu);
    EXPECT_EQ(dxfWriteBytes(*loaded.database, *loaded.document), r12);
    EXPECT_EQ(readError(r12, "r12.dxf"), "no error");

    // Owners that are no block record: the model space, or the paper space the entity says.
    // The first polyline names itself as owner, the second the first one.
    std::string stray = r2000Sample(), first, second;
    const std::size_t one = stray.find("\nLWPOLYLINE\n", stray.find("\nENTITIES\n"));
    const std::size_t two = stray.find("\nLWPOLYLINE\n", one + 1);
    withValue(stray, one, "  5", "", &first);
    withValue(stray, two, "  5", "", &second);
    stray = withValue(withValue(stray, one, "330", first), two, "330", first);
    stray = replaceFirst(stray, "\nAcDbEntity\n", "\nAcDbEntity\n 67\n1\n", two);
    DxfLoaded owners = dxfReadBytes(stray, "owners.dxf");
    KvDbDatabase& db = *owners.database;
    auto ownerName = [&](std::uint64_t handle) {
        KvDbObjectId id;
        EXPECT_EQ(db.getKvDbObjectId(id, KvDbHandle(handle)), Kvmo::eOk);
        auto* btr = kvCast<KvDbBlockTableRecord>(db.objectAt(db.objectAt(id)->ownerId()));
        return btr ? u8(btr->getName()) : std::string("none");
    };
    EXPECT_EQ(ownerName(std::stoull(first, nullptr, 16)), "*Model_Space");
    EXPECT_EQ(ownerName(std::stoull(second, nullptr, 16)), "*Paper_Space");
    EXPECT_EQ(dxfWriteBytes(db, *owners.document), stray);
}
