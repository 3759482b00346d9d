// Saving what the plug-in changed: new and rewritten tables, extended data, erased objects,
// handles and the version upgrade, checked by reading the result back and with ezdxf.
#include <gtest/gtest.h>

#include "DxfTestSupport.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfWriter.h"
#include "kv/KvEntityCopy.h"
#include "kv/kv.h"

using namespace dxftest;

namespace {

struct SavedCheck {
    std::string version;
    int errors = -1, fixes = -1;
    std::vector<std::string> problems;
    unsigned long long maxHandle = 0, handseed = 0;
    int duplicates = -1;
    std::vector<std::vector<std::string>> tables;  // handle, rows, cols, texts, blocks, graphics count
    std::map<std::string, std::string> xdata;      // "handle app" -> values
};

SavedCheck checkWithEzdxf(const std::string& file)
{
    SavedCheck c;
    int status = 0;
    std::string out = runPython(scriptPath("check_saved.py") + " " + file, &status);
    EXPECT_EQ(status, 0) << "ezdxf could not load " << file;
    for (const std::string& line : lines(out)) {
        std::vector<std::string> f = split(line, '|');
        if (f[0] == "version")
            c.version = f.at(1);
        else if (f[0] == "audit") {
            c.errors = std::stoi(f.at(1));
            c.fixes = std::stoi(f.at(2));
        } else if (f[0] == "problem")
            c.problems.push_back(f.at(1));
        else if (f[0] == "handles") {
            c.maxHandle = std::stoull(f.at(1), nullptr, 16);
            c.handseed = std::stoull(f.at(2), nullptr, 16);
            c.duplicates = std::stoi(f.at(3));
        } else if (f[0] == "table")
            c.tables.push_back(std::vector<std::string>(f.begin() + 1, f.end()));
        else if (f[0] == "xdata")
            c.xdata[f.at(1) + " " + f.at(2)] = f.at(3);
    }
    return c;
}

void expectClean(const SavedCheck& c)
{
    EXPECT_EQ(c.errors, 0);
    EXPECT_EQ(c.fixes, 0);
    for (const std::string& p : c.problems) ADD_FAILURE() << "ezdxf audit: " << p;
    EXPECT_GT(c.handseed, c.maxHandle) << "$HANDSEED must be above every handle";
    EXPECT_EQ(c.duplicates, 0);
}

KvDbObjectId modelSpace(KvDbDatabase& db)
{
    return db.modelSpaceId();
}

KvDbObjectId blockNamed(KvDbDatabase& db, const std::u16string& name)
{
    KvDbBlockTable* bt = nullptr;
    EXPECT_EQ(db.getBlockTable(bt, KvDb::kForRead), Kvmo::eOk);
    KvDbObjectId id;
    bt->getAt(name, id);
    bt->close();
    return id;
}

// A table as the extraction inserts it: title merged across, header, rows, a block cell.
KvDbObjectId insertTable(KvDbDatabase& db, const std::vector<std::vector<std::u16string>>& rows,
                         const std::u16string& cellBlock = u"DESK")
{
    auto* t = new KvDbTable;
    KvDbDictionary* styles = nullptr;
    KvDbObjectId standard;
    if (db.getTableStyleDictionary(styles, KvDb::kForRead) == Kvmo::eOk) {
        styles->getAt(u"Standard", standard);
        styles->close();
    }
    t->setTableStyle(standard);
    int cols = static_cast<int>(rows[0].size());
    t->setSize(static_cast<int>(rows.size()) + 1, cols);
    t->setColumnWidth(20.0);
    t->mergeCells(0, 0, 0, cols - 1);
    t->setTextString(0, 0, u"Title");
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < cols; ++c)
            t->setTextString(static_cast<int>(r) + 1, c, rows[r][static_cast<std::size_t>(c)]);
    t->setBlockTableRecordId(2, cols - 1, blockNamed(db, cellBlock), true);
    t->setColumnWidth(1, 33.5);
    t->generateLayout();
    t->setPosition(KvGePoint3d(100, 200, 0));
    KvDbBlockTableRecord* ms = nullptr;
    EXPECT_EQ(kvdbOpenObject(ms, modelSpace(db), KvDb::kForWrite), Kvmo::eOk);
    KvDbObjectId id;
    EXPECT_EQ(ms->appendKvDbEntity(id, t), Kvmo::eOk);
    ms->close();
    kvdbHostApplicationServices()->setWorkingDatabase(&db);
    kvdbRegApp(u"obj_handles");
    kvdbRegApp(u"obj_types");
    resbuf* rb = kvutBuildList(1001, u"obj_handles", 1000, u"1F", 1000, u"2A", 1001, u"obj_types", 1000, u"INSERT", 0);
    EXPECT_EQ(t->setXData(rb), Kvmo::eOk);
    kvutRelRb(rb);
    t->recomputeTableBlock(true);
    t->close();
    return id;
}

const std::vector<std::vector<std::u16string>> kRows = {
    {u"Name", u"Maker", u"Preview"}, {u"DESK", u"Steelcase é", u""}, {u"CHAIR", u"Vitra", u"x"}};

TEST(SavedTable, NewTableUpgradesR2000ToR2010AndEzdxfReadsItsTags)
{
    TempDir dir;
    std::string source = sourceDir() + "/samples/office_floor_r2000.dxf";
    DxfLoaded loaded = dxfReadFile(source);
    KvDbDatabase& db = *loaded.database;
    KvDbHandle seedBefore = db.handseed();
    KvDbObjectId tableId = insertTable(db, kRows);
    std::string tableHandle = u8(db.objectAt(tableId)->handle().text());
    EXPECT_GE(db.objectAt(tableId)->handle(), seedBefore) << "new handles come above the old seed";

    std::string saved = dir.file("saved.dxf");
    dxfWriteFile(db, *loaded.document, saved);
    SavedCheck c = checkWithEzdxf(saved);
    expectClean(c);
    EXPECT_EQ(c.version, "AC1024");
    ASSERT_EQ(c.tables.size(), 1u);
    const std::vector<std::string>& t = c.tables[0];
    EXPECT_EQ(t[0], tableHandle);
    EXPECT_EQ(t[1], "4");
    EXPECT_EQ(t[2], "3");
    // Cell texts row by row; the block cell has none, the merged title's other cells are empty.
    EXPECT_EQ(t[3], "Title\t\t\tName\tMaker\tPreview\tDESK\tSteelcase é\tCHAIR\tVitra\tx");
    EXPECT_EQ(t[4], u8(db.objectAt(blockNamed(db, u"DESK"))->handle().text()));
    EXPECT_GT(std::stoi(t[5]), 10) << "graphics block with grid and texts";
    EXPECT_EQ(c.xdata[tableHandle + " obj_handles"], "1F\t2A");
    EXPECT_EQ(c.xdata[tableHandle + " obj_types"], "INSERT");

    // Read back by the host: the same table, the upgraded text still right.
    DxfLoaded again = dxfReadFile(saved);
    KvDbObjectId id;
    ASSERT_EQ(again.database->getKvDbObjectId(id, KvDbHandle::fromText(u16(tableHandle))), Kvmo::eOk);
    auto* table = kvCast<KvDbTable>(again.database->objectAt(id));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->numRows(), 4);
    EXPECT_EQ(table->numColumns(), 3);
    EXPECT_EQ(table->textString(2, 1), u"Steelcase é");
    EXPECT_TRUE(table->isMergedCell(0, 2));
    EXPECT_FALSE(table->isMergedCell(1, 0));
    EXPECT_DOUBLE_EQ(table->columnWidth(1), 33.5);
    EXPECT_EQ(table->blockTableRecordId(2, 2), blockNamed(*again.database, u"DESK"));
    EXPECT_EQ(table->position(), KvGePoint3d(100, 200, 0));
    // The drawing had no "Standard" table style: the saved one has it, for its table.
    auto* style = kvCast<KvDbTableStyle>(again.database->objectAt(table->tableStyle()));
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->name(), u"Standard");
    // Text of the original, in its code page before, is UTF-8 now and reads the same.
    int rooms = 0;
    for (KvDbObjectId e : again.database->layoutEntitiesInOrder())
        if (auto* m = kvCast<KvDbMText>(again.database->objectAt(e));
            m && m->contents().find(u"équipement") != std::u16string::npos)
            ++rooms;
    EXPECT_EQ(rooms, 1);
    EXPECT_EQ(readAll(saved).find("\\U+"), std::string::npos) << "escapes left in a UTF-8 drawing";
    // Saved again without change: byte for byte.
    EXPECT_TRUE(dxfWriteBytes(*again.database, *again.document) == again.document->source.readAll());
}

// Every kind of drawing ezdxf writes, ASCII and binary, in a code page or UTF-8: with a new
// table it saves as R2010 or later and audits clean.
class TableIntoEzdxfDrawing : public ::testing::TestWithParam<const char*> {};

TEST_P(TableIntoEzdxfDrawing, SavedFileAuditsCleanWithTheTable)
{
    TempDir dir;
    std::vector<std::string> args = split(GetParam(), ' ');
    std::string cmd = scriptPath("make_oracle_drawing.py") + " " + args[0] + " " + dir.file("in.dxf");
    for (std::size_t i = 1; i < args.size(); ++i) cmd += " " + args[i];
    int status = 0;
    runPython(cmd, &status);
    ASSERT_EQ(status, 0);
    DxfLoaded loaded = dxfReadFile(dir.file("in.dxf"));
    KvDbObjectId id = insertTable(*loaded.database, kRows, u"CHAIR");
    std::string handle = u8(loaded.database->objectAt(id)->handle().text());
    dxfWriteFile(*loaded.database, *loaded.document, dir.file("out.dxf"));
    SavedCheck c = checkWithEzdxf(dir.file("out.dxf"));
    expectClean(c);
    EXPECT_EQ(c.version, args[0] == "R2018" ? "AC1032" : "AC1024");
    ASSERT_EQ(c.tables.size(), 1u);
    EXPECT_EQ(c.tables[0][0], handle);
    EXPECT_EQ(c.tables[0][1] + "x" + c.tables[0][2], "4x3");
    EXPECT_EQ(c.xdata[handle + " obj_types"], "INSERT");
    // What the host reads back is what it wrote, escapes and code page included.
    DxfLoaded back = dxfReadFile(dir.file("out.dxf"));
    int layers = 0;
    for (KvDbObjectId e : back.database->layoutEntitiesInOrder())
        if (auto* ent = kvCast<KvDbEntity>(back.database->objectAt(e)); ent && ent->layer() == u"Büro Ω") ++layers;
    EXPECT_EQ(layers, 1);
}

INSTANTIATE_TEST_SUITE_P(Drawings, TableIntoEzdxfDrawing,
                         ::testing::Values("R2000", "R2010", "R2018", "R2000 bin", "R2010 bin", "R2000 asc ANSI_1250"));

// Line ends in a cell become paragraph breaks, wherever the text is written; a long text's
// graphics travel in pieces of 250 characters, not bytes.
TEST(SavedTable, CellLineEndsBecomeParagraphBreaksAndLongTextsGoInPieces)
{
    TempDir dir;
    DxfLoaded loaded = dxfReadFile(sourceDir() + "/samples/office_floor_r2000.dxf");
    const std::u16string longText = u"Ω" + std::u16string(248, u'x') + u"éé" + std::u16string(20, u'y');
    insertTable(*loaded.database,
                {{u"Name", u"Note", u"Preview"}, {u"DESK", u"one\r\ntwo\nthree", u""}, {u"CHAIR", longText, u"x"}});
    const std::string saved = dir.file("saved.dxf");
    dxfWriteFile(*loaded.database, *loaded.document, saved);
    const std::string bytes = readAll(saved);
    const auto count = [&](const std::string& s) {
        std::size_t n = 0;
        for (std::size_t at = bytes.find(s); at != std::string::npos; at = bytes.find(s, at + 1)) ++n;
        return n;
    };
    // The table's value (1), its shown text (302) and the graphics' MTEXT (1).
    EXPECT_EQ(count("\none\\Ptwo\\Pthree\n"), 3u);
    EXPECT_EQ(count("two\n"), 0u);
    const std::string first = u8(longText.substr(0, 250)), rest = u8(longText.substr(250));
    EXPECT_EQ(count("  3\n" + first + "\n  1\n" + rest + "\n"), 1u);
    EXPECT_EQ(count("\n" + u8(longText) + "\n"), 2u);
    SavedCheck c = checkWithEzdxf(saved);
    expectClean(c);
    ASSERT_EQ(c.tables.size(), 1u);
    EXPECT_NE(c.tables[0][3].find("one\\Ptwo\\Pthree\t"), std::string::npos);
}

// Handles never wrap: a drawing whose seed is near the last handle gets its table, but the
// save that would need handles past the last one is refused and writes nothing.
TEST(SavedTable, NoHandlesLeftForTheGraphicsRefusesTheSave)
{
    std::string bytes = readAll(sourceDir() + "/samples/office_floor_r2000.dxf");
    std::size_t seed = bytes.find("\n$HANDSEED\n  5\n") + 15;
    bytes.replace(seed, bytes.find('\n', seed) - seed, "FFFFFFFFFFFFFFF0");
    DxfLoaded loaded = dxfReadBytes(bytes, "full.dxf");
    insertTable(*loaded.database, kRows);
    std::string message = errorOf([&] { dxfWriteBytes(*loaded.database, *loaded.document); });
    EXPECT_NE(message.find("no handles left for the table's graphics"), std::string::npos) << message;
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

// Sizes a table claims are checked against the cells it holds before anything is allocated
// by them, and spans stop at the table's edge without overflowing.
TEST(ReadTable, ClaimedSizesAndSpansAreChecked)
{
    DxfLoaded loaded = dxfReadFile(sourceDir() + "/samples/office_floor_r2000.dxf");
    insertTable(*loaded.database, kRows);
    const std::string saved = dxfWriteBytes(*loaded.database, *loaded.document);
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    const std::size_t table = saved.find("\nAcDbTable\n");
    ASSERT_NE(table, std::string::npos);
    for (const auto& [code, value] : {std::pair<std::string, std::string>{" 91", "40000"}, {" 92", "5000"}}) {
        std::string message = errorOf([&] { dxfReadBytes(withValue(saved, table, code, value), "claim.dxf"); });
        EXPECT_NE(message.find("columns holds only 12 cells"), std::string::npos)
            << code << " " << value << ": " << message;
    }
    for (std::string span : {"2147483647", "99999999999"}) {
        std::string wide = withValue(saved, table, "175", span);
        try {
            DxfLoaded read = dxfReadBytes(wide, "span.dxf");
            EXPECT_EQ(span, "2147483647") << "a span past the 32-bit range is refused";
            const KvDbTable* t = nullptr;
            for (KvDbObjectId id : read.database->layoutEntitiesInOrder())
                if (auto* found = kvCast<KvDbTable>(read.database->objectAt(id))) t = found;
            ASSERT_NE(t, nullptr);
            int maxCol = -1;
            EXPECT_TRUE(t->isMergedCell(0, 0, nullptr, nullptr, nullptr, &maxCol));
            EXPECT_EQ(maxCol, 2) << "the title's span stops at the last column";
        } catch (const DxfError& e) {
            EXPECT_NE(std::string(e.what()).find("table count out of range for group code 175"), std::string::npos)
                << e.what();
        }
    }
}

TEST(SavedTable, RewrittenTableReplacesItsGraphicsAndKeepsItsHandle)
{
    TempDir dir;
    DxfLoaded loaded = dxfReadFile(sourceDir() + "/samples/office_floor.dxf");
    KvDbDatabase& db = *loaded.database;
    KvDbObjectId tableId = insertTable(db, kRows);
    std::string first = dir.file("first.dxf");
    dxfWriteFile(db, *loaded.document, first);

    DxfLoaded reread = dxfReadFile(first);
    KvDbDatabase& db2 = *reread.database;
    std::u16string handle = db.objectAt(tableId)->handle().text();
    KvDbObjectId id;
    ASSERT_EQ(db2.getKvDbObjectId(id, KvDbHandle::fromText(handle)), Kvmo::eOk);
    KvDbTable* t = nullptr;
    ASSERT_EQ(kvdbOpenObject(t, id, KvDb::kForWrite), Kvmo::eOk);
    t->insertRows(2, t->rowHeight(1), 2);
    t->setTextString(2, 0, u"SOFA");
    t->setTextString(3, 0, u"LAMP");
    resbuf* rb = kvutBuildList(1001, u"obj_handles", 1000, u"99", 0);
    kvdbHostApplicationServices()->setWorkingDatabase(&db2);
    EXPECT_EQ(t->setXData(rb), Kvmo::eOk);
    kvutRelRb(rb);
    t->recomputeTableBlock(true);
    t->close();
    // An erased line disappears from the file.
    std::u16string erasedHandle;
    for (KvDbObjectId e : db2.layoutEntitiesInOrder())
        if (auto* line = kvCast<KvDbLine>(db2.objectAt(e))) {
            KvDbObject* o = nullptr;
            ASSERT_EQ(kvdbOpenKvDbObject(o, e, KvDb::kForWrite), Kvmo::eOk);
            erasedHandle = line->handle().text();
            o->erase();
            o->close();
            break;
        }
    std::string second = dir.file("second.dxf");
    dxfWriteFile(db2, *reread.document, second);
    SavedCheck c = checkWithEzdxf(second);
    expectClean(c);
    EXPECT_EQ(c.version, "AC1024");
    ASSERT_EQ(c.tables.size(), 1u);
    EXPECT_EQ(c.tables[0][0], u8(handle));
    EXPECT_EQ(c.tables[0][1], "6");
    EXPECT_NE(c.tables[0][3].find("SOFA\t"), std::string::npos);
    EXPECT_EQ(c.xdata[u8(handle) + " obj_handles"], "99");
    EXPECT_EQ(c.xdata[u8(handle) + " obj_types"], "INSERT");
    DxfLoaded third = dxfReadFile(second);
    KvDbObjectId gone;
    EXPECT_NE(third.database->getKvDbObjectId(gone, KvDbHandle::fromText(erasedHandle)), Kvmo::eOk);
    // One graphics block, not two: the old graphics were replaced.
    int tBlocks = 0;
    KvDbBlockTable* bt = nullptr;
    third.database->getBlockTable(bt, KvDb::kForRead);
    for (KvDbObjectId b : bt->recordIds())
        if (kvCast<KvDbBlockTableRecord>(third.database->objectAt(b))->getName().rfind(u"*T", 0) == 0) ++tBlocks;
    bt->close();
    EXPECT_EQ(tBlocks, 1);
}

TEST(SavedDrawing, ChangedExtendedDataOnlyRewritesThatObjectAndKeepsTheVersion)
{
    TempDir dir;
    std::string source = sourceDir() + "/samples/office_floor_r2000.dxf";
    DxfLoaded loaded = dxfReadFile(source);
    KvDbDatabase& db = *loaded.database;
    kvdbHostApplicationServices()->setWorkingDatabase(&db);
    kvdbRegApp(u"NOTE");
    KvDbObjectId target;
    for (KvDbObjectId e : db.layoutEntitiesInOrder())
        if (kvCast<KvDbCircle>(db.objectAt(e))) target = e;
    KvDbObject* o = nullptr;
    ASSERT_EQ(kvdbOpenKvDbObject(o, target, KvDb::kForWrite), Kvmo::eOk);
    resbuf* rb = kvutBuildList(1001, u"NOTE", 1000, u"checked", 0);
    EXPECT_EQ(o->setXData(rb), Kvmo::eOk);
    kvutRelRb(rb);
    o->close();
    // Opened for write but left as it was: written as it was read.
    KvDbObject* other = nullptr;
    ASSERT_EQ(kvdbOpenKvDbObject(other, db.layoutEntitiesInOrder().front(), KvDb::kForWrite), Kvmo::eOk);
    other->close();
    std::string saved = dir.file("x.dxf");
    dxfWriteFile(db, *loaded.document, saved);
    SavedCheck c = checkWithEzdxf(saved);
    expectClean(c);
    EXPECT_EQ(c.version, "AC1015");
    std::string before = readAll(source), after = readAll(saved);
    // Undo the three expected differences; what remains must be the original, byte for byte.
    auto replaceOnce = [&](const std::string& from, const std::string& to) {
        std::size_t at = after.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        after.replace(at, from.size(), to);
    };
    auto seedLine = [](const std::string& file) {
        std::size_t at = file.find("$HANDSEED\n  5\n");
        return file.substr(at, file.find('\n', at + 15) - at);
    };
    EXPECT_EQ(seedLine(after), "$HANDSEED\n  5\n" + u8(db.handseed().text()));
    replaceOnce(seedLine(after), seedLine(before));
    KvDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db.getRegAppTable(apps, KvDb::kForRead), Kvmo::eOk);
    KvDbObjectId noteId;
    apps->getAt(u"NOTE", noteId);
    apps->close();
    std::string appHead = "  0\nAPPID\n  5\n" + u8(db.objectAt(noteId)->handle().text()) + "\n";
    std::size_t at = after.find(appHead);
    ASSERT_NE(at, std::string::npos);
    after.erase(at, after.find("\n  0\n", at + appHead.size()) + 1 - at);
    replaceOnce("1001\nNOTE\n1000\nchecked\n", "");
    EXPECT_TRUE(after == before) << "changes beyond the new application and the circle's extended data";
    DxfLoaded back = dxfReadFile(saved);
    KvDbObjectId same;
    ASSERT_EQ(back.database->getKvDbObjectId(same, db.objectAt(target)->handle()), Kvmo::eOk);
    resbuf* note = back.database->objectAt(same)->xData(u"NOTE");
    ASSERT_NE(note, nullptr);
    ASSERT_NE(note->rbnext, nullptr);
    EXPECT_EQ(std::u16string(note->rbnext->resval.rstring), u"checked");
    kvutRelRb(note);
}

// Copies (the host's COPY), an attribute changed and an original erased: every copy is saved
// from its original's record, moved as ezdxf moves the original, with the original's data
// (extended data, hyperlinks, attributes, vertices) and handles of its own.
struct CopyCase {
    const char* name;
    const char* args;  // version [bin]
};
class CopiedEntities : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopiedEntities, SavedFromTheirOriginalsAsEzdxfMovesThem)
{
    TempDir dir;
    const std::string file = dir.file("copies.dxf"), saved = dir.file("saved.dxf");
    int status = 0;
    runPython(scriptPath("copy_oracle.py") + " make " + file + " " + GetParam().args, &status);
    ASSERT_EQ(status, 0);
    DxfLoaded loaded = dxfReadFile(file);
    KvDbDatabase& db = *loaded.database;
    kvdbHostApplicationServices()->setWorkingDatabase(&db);
    const std::vector<KvDbObjectId> originals = db.layoutEntitiesInOrder();
    std::string pairs, twice;
    KvDbObjectId idRef, idLastLine;
    for (KvDbObjectId id : originals) {
        KvDbObjectId idCopy;
        ASSERT_EQ(kvdbCopyEntity(id, KvGeVector3d(10, -20, 3), idCopy), Kvmo::eOk) << u8(db.objectAt(id)->dxfName());
        pairs += " " + u8(db.objectAt(id)->handle().text()) + ":" + u8(db.objectAt(idCopy)->handle().text());
        if (kvCast<KvDbBlockReference>(db.objectAt(id))) idRef = id;
        if (kvCast<KvDbLine>(db.objectAt(id))) idLastLine = id;
        // A copy of a copy is made from the first original's record.
        if (id == originals.front()) {
            KvDbObjectId idAgain;
            ASSERT_EQ(kvdbCopyEntity(idCopy, KvGeVector3d(10, -20, 3), idAgain), Kvmo::eOk);
            twice = " " + u8(db.objectAt(id)->handle().text()) + ":" + u8(db.objectAt(idAgain)->handle().text());
        }
    }
    // The original's attribute changes; its copy keeps the old text. An original erased after
    // being copied leaves its copy.
    KvDbBlockReference* pRef = nullptr;
    ASSERT_EQ(kvdbOpenObject(pRef, idRef, KvDb::kForRead), Kvmo::eOk);
    const KvDbObjectId idMaker = pRef->attributeIds().at(1);
    pRef->close();
    KvDbAttribute* pMaker = nullptr;
    ASSERT_EQ(kvdbOpenObject(pMaker, idMaker, KvDb::kForWrite), Kvmo::eOk);
    pMaker->setTextString(u"Knoll é");
    pMaker->close();
    KvDbEntity* pLine = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pLine, idLastLine, KvDb::kForWrite), Kvmo::eOk);
    pLine->erase();
    pLine->close();

    dxfWriteFile(db, *loaded.document, saved);
    expectClean(checkWithEzdxf(saved));
    const std::string ref = u8(db.objectAt(idRef)->handle().text());
    std::string erased = u8(db.objectAt(idLastLine)->handle().text());
    // The erased line is no pair to compare any more, but its copy is saved.
    const std::string erasedPair = " " + erased + ":";
    const std::size_t at = pairs.find(erasedPair);
    ASSERT_NE(at, std::string::npos);
    const std::string erasedCopy =
        pairs.substr(at + erasedPair.size(), pairs.find(' ', at + 1) - at - erasedPair.size());
    pairs.erase(at, erasedPair.size() + erasedCopy.size());
    std::string out = runPython(scriptPath("copy_oracle.py") + " check " + saved + " 10 -20 3" + pairs, &status);
    EXPECT_EQ(status, 0);
    std::vector<std::string> shown = lines(out);
    std::vector<std::string> attributes;
    for (const std::string& line : shown) {
        if (line.starts_with("attrib|"))
            attributes.push_back(line);
        else if (line != "ok")
            ADD_FAILURE() << line;
    }
    EXPECT_EQ(shown.back(), "ok");
    ASSERT_EQ(attributes.size(), 4u);
    EXPECT_EQ(attributes[0], "attrib|" + ref + "|TAG|C-1");
    EXPECT_EQ(attributes[1], "attrib|" + ref + "|MAKER|Knoll é");
    EXPECT_TRUE(attributes[3].ends_with("|MAKER|Vitra")) << attributes[3];
    out = runPython(scriptPath("copy_oracle.py") + " check " + saved + " 20 -40 6" + twice, &status);
    EXPECT_EQ(out, std::string("attrib|") + ref + "|TAG|C-1\nattrib|" + ref + "|MAKER|Knoll é\n" + attributes[2] +
                       "\n" + attributes[3] + "\nok\n");

    // Read back: every copy, the erased original's too, and nothing else.
    DxfLoaded back = dxfReadFile(saved);
    KvDbObjectId idErasedCopy;
    EXPECT_EQ(back.database->getKvDbObjectId(idErasedCopy, KvDbHandle::fromText(kvFromUtf8(erasedCopy))), Kvmo::eOk);
    EXPECT_EQ(back.database->layoutEntitiesInOrder().size(), 2 * originals.size());
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Drawings, CopiedEntities,
                         ::testing::Values(CopyCase{"R2010", "R2010"}, CopyCase{"R2000binary", "R2000 bin"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// A drawing R14 wrote: the sample with the version R14 gave it (the structure is the same).
std::string asR14()
{
    std::string bytes = readAll(sourceDir() + "/samples/office_floor_r2000.dxf");
    bytes.replace(bytes.find("\nAC1015\n"), 8, "\nAC1014\n");
    return bytes;
}

}  // namespace

// A changed R13 or R14 drawing is saved as R2010, as older drawings that gain a table are; a
// drawing with no block records of its own (R12-style, whatever its label) cannot hold a new
// table: its save is refused with the reason, rather than written so that it cannot reopen.
TEST(SavedDrawing, R14SavesAsR2010AndR12StyleDrawingsCannotTakeATable)
{
    TempDir dir;
    for (bool table : {false, true}) {
        DxfLoaded r14 = dxfReadBytes(asR14(), "r14.dxf");
        kvdbHostApplicationServices()->setWorkingDatabase(r14.database.get());
        if (table)
            insertTable(*r14.database, kRows);
        else
            ASSERT_EQ(kvdbRegApp(u"CHANGED"), RTNORM);
        const std::string saved = dir.file(table ? "table.dxf" : "app.dxf");
        dxfWriteFile(*r14.database, *r14.document, saved);
        SavedCheck c = checkWithEzdxf(saved);
        expectClean(c);
        EXPECT_EQ(c.version, "AC1024") << table;
        EXPECT_EQ(dxfReadFile(saved).document->version, "AC1024");
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    const std::string r12Style =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
        "  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n  0\nENDSEC\n  0\nEOF\n";
    DxfLoaded loaded = dxfReadBytes(r12Style, "labelled.dxf");
    auto* table = new KvDbTable;
    table->setSize(2, 2);
    table->setTextString(1, 1, u"x");
    KvDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(kvdbOpenObject(ms, loaded.database->modelSpaceId(), KvDb::kForWrite), Kvmo::eOk);
    KvDbObjectId id;
    ASSERT_EQ(ms->appendKvDbEntity(id, table), Kvmo::eOk);
    ms->close();
    table->close();
    const std::string target = dir.file("labelled.dxf");
    std::string message = errorOf([&] { dxfWriteFile(*loaded.database, *loaded.document, target); });
    EXPECT_NE(message.find("cannot save the new table: the drawing has no block record for its model space (an "
                           "R12-style drawing labelled AC1015)"),
              std::string::npos)
        << message;
    EXPECT_NE(::access(target.c_str(), F_OK), 0) << "nothing written";
}
