#include "drawing/TableWriter.h"

#include "DrawingTestSupport.h"
#include "drawing/InsertExtractionTable.h"
#include "drawing/TableInsertRequest.h"

namespace {

using Texts = std::vector<std::u16string>;

class TableWriterTest : public DrawingTest {
protected:
    // Header plus three rows; column 4 is the preview column.
    TableData table{{u"Id", u"Name", u"Layer", u"Length", u"Preview"},
                    {u"A1", u"Door", u"0", u"12.5", u""},
                    {u"B2", u"", u"Walls", u"3", u""},
                    {u"C3", u"Window", u"0", u"7", u""}};
    ColumnIncludeFlags flags = ColumnIncludeFlags(5, true);

    // Copies what a test needs out of the table entity.
    struct Snapshot {
        std::vector<Texts> texts;
        std::vector<std::vector<KvDbObjectId>> blocks;
        std::vector<KvDbTable::MergedRange> merged;
        std::vector<double> widths;
        KvGePoint3d position;
        KvDbObjectId style, owner;
    };
    Snapshot Read(KvDbObjectId id)
    {
        Snapshot s;
        KvDbTable* pTable = nullptr;
        EXPECT_EQ(kvdbOpenObject(pTable, id, KvDb::kForRead), Kvmo::eOk);
        if (pTable == nullptr) return s;
        for (int r = 0; r < pTable->numRows(); ++r) {
            s.texts.emplace_back();
            s.blocks.emplace_back();
            for (int c = 0; c < pTable->numColumns(); ++c) {
                s.texts.back().push_back(pTable->textString(r, c));
                s.blocks.back().push_back(pTable->blockTableRecordId(r, c));
            }
        }
        for (int c = 0; c < pTable->numColumns(); ++c) s.widths.push_back(pTable->columnWidth(c));
        s.merged = pTable->mergedRanges();
        s.position = pTable->position();
        s.style = pTable->tableStyle();
        s.owner = pTable->ownerId();
        pTable->close();
        return s;
    }
    TableInsertRequest Request(const HeaderOrder& veColumns, const RowOrder& veRows)
    {
        TableInsertRequest request;
        request.veTable = table;
        request.veIncludeFlags = flags;
        request.veHeaderOrder = veColumns;
        request.veRowOrder = veRows;
        request.csPreviewName = u"Preview";
        return request;
    }
    double Measure(const std::u16string& csText)
    {
        KvGiTextStyle style;
        KvDbTableStyle* pStyle = nullptr;
        KvDbDictionary* pDict = nullptr;
        EXPECT_EQ(Db().getTableStyleDictionary(pDict, KvDb::kForRead), Kvmo::eOk);
        EXPECT_EQ(pDict->getAt(u"Standard", pStyle, KvDb::kForRead), Kvmo::eOk);
        pDict->close();
        fromKvDbTextStyle(style, pStyle->textStyle());
        style.setTextSize(pStyle->textHeight());
        pStyle->close();
        return style.extents(csText.c_str(), true, -1, false).x;
    }
};

TEST_F(TableWriterTest, TitleHeaderAndRowsInModelSpace)
{
    const KvDbObjectId id = CreateTable(table, {}, flags, {1, 2, 3, 4}, {0, 1, 2, 3}, KvGePoint3d(5, 6, 0), u"Preview");
    ASSERT_FALSE(id.isNull());
    const Snapshot s = Read(id);
    EXPECT_EQ(s.merged, (std::vector<KvDbTable::MergedRange>{{0, 0, 0, 3}}));
    EXPECT_EQ(s.texts, (std::vector<Texts>{{u"Title", u"", u"", u""},
                                           {u"Name", u"Layer", u"Length", u"Preview"},
                                           {u"Door", u"0", u"12.5", u""},
                                           {u"", u"Walls", u"3", u""},
                                           {u"Window", u"0", u"7", u""}}));
    EXPECT_EQ(s.position, KvGePoint3d(5, 6, 0));
    EXPECT_EQ(s.owner, Db().modelSpaceId());
    KvDbObjectId idStandard;
    KvDbDictionary* pDict = nullptr;
    ASSERT_EQ(Db().getTableStyleDictionary(pDict, KvDb::kForRead), Kvmo::eOk);
    pDict->getAt(u"Standard", idStandard);
    pDict->close();
    EXPECT_EQ(s.style, idStandard);
    EXPECT_TRUE(Printed().empty());
}

TEST_F(TableWriterTest, DisplayOrderOfRowsAndColumnsAndExcludedColumn)
{
    flags[2] = false;  // Layer hidden by its flag but still placed
    const KvDbObjectId id = CreateTable(table, {}, flags, {3, 2, 1}, {0, 3, 1, 2}, KvGePoint3d(), u"Preview");
    const Snapshot s = Read(id);
    EXPECT_EQ(std::vector<Texts>(s.texts.begin() + 1, s.texts.end()),
              (std::vector<Texts>{
                  {u"Length", u"", u"Name"}, {u"7", u"", u"Window"}, {u"12.5", u"", u"Door"}, {u"3", u"", u""}}));
}

TEST_F(TableWriterTest, BlockPreviewsOnlyForBlockRows)
{
    const KvDbObjectId idDoor = BlockDefinition(Db(), u"DOOR");
    const KvDbObjectId idWindow = BlockDefinition(Db(), u"WINDOW");
    const HandleBlockMap blocks{{u"A1", idDoor}, {u"C3", idWindow}};
    const Snapshot s = Read(CreateTable(table, blocks, flags, {4, 1}, {}, KvGePoint3d(), u"Preview"));
    // B2 is no block reference; the other column holds no block.
    EXPECT_EQ(s.blocks,
              (std::vector<std::vector<KvDbObjectId>>{{{}, {}}, {{}, {}}, {idDoor, {}}, {{}, {}}, {idWindow, {}}}));
    EXPECT_EQ(s.texts, (std::vector<Texts>{
                           {u"Title", u""}, {u"Preview", u"Name"}, {u"", u"Door"}, {u"", u""}, {u"", u"Window"}}));
}

TEST_F(TableWriterTest, ColumnWidthsFollowTheWidestTextUpToTheBound)
{
    table[2][2] = std::u16string(400, u'W');  // far wider than 50 units
    const Snapshot s = Read(CreateTable(table, {}, flags, {1, 2, 3}, {}, KvGePoint3d(), u"Preview"));
    const double dWidest = std::max({Measure(u"Name"), Measure(u"Door"), Measure(u"Window")});
    ASSERT_LT(dWidest, 50.0);
    EXPECT_DOUBLE_EQ(s.widths[0], dWidest * 1.3);
    EXPECT_DOUBLE_EQ(s.widths[1], 65.0);
    // The title is wider than "Length" and its numbers, and does not count.
    EXPECT_DOUBLE_EQ(s.widths[2], std::max({Measure(u"Length"), Measure(u"12.5"), Measure(u"3"), Measure(u"7")}) * 1.3);
}

TEST_F(TableWriterTest, RejectedWritesStopTheFillWithTheirFixedText)
{
    KvTestHooks::rejectTableCellWritesAfter(3);  // title and two header cells
    const KvDbObjectId id = CreateTable(table, {}, flags, {1, 2, 3}, {}, KvGePoint3d(1, 2, 0), u"Preview");
    ASSERT_FALSE(id.isNull());  // still appended and positioned
    EXPECT_EQ(Printed(), u"Error adding content into a table cell");
    const Snapshot s = Read(id);
    EXPECT_EQ(s.texts[1], (Texts{u"Name", u"Layer", u""}));
    EXPECT_EQ(s.texts[2], (Texts{u"", u"", u""}));
    EXPECT_EQ(s.widths, (std::vector<double>{20.0, 20.0, 20.0}));
    EXPECT_EQ(s.position, KvGePoint3d(1, 2, 0));

    KvTestHooks::reset();
    KvConsole::instance().clearRecorded();
    KvTestHooks::rejectColumnWidths(true);
    CreateTable(table, {}, flags, {1}, {}, KvGePoint3d(), u"Preview");
    EXPECT_EQ(Printed(), u"Error to fit content into a table column");

    KvTestHooks::reset();
    KvConsole::instance().clearRecorded();
    KvTestHooks::rejectTableRecompute(true);
    CreateTable(table, {}, flags, {1}, {}, KvGePoint3d(), u"Preview");
    EXPECT_EQ(Printed(), u"Error updating table");
}

// Remembers CMDECHO at the moment the point is asked.
class EchoWatchingInput : public QueuedEditorInput {
public:
    short iEchoDuringPick = -1;
    int getPoint(const std::u16string& prompt, const KvGePoint3d* base, KvGePoint3d& point) override
    {
        resbuf rb;
        if (kvedGetVar(u"CMDECHO", &rb) == RTNORM) iEchoDuringPick = rb.resval.rint;
        return QueuedEditorInput::getPoint(prompt, base, point);
    }
};

short CmdEcho()
{
    resbuf rb;
    EXPECT_EQ(kvedGetVar(u"CMDECHO", &rb), RTNORM);
    return rb.resval.rint;
}

TEST_F(TableWriterTest, InsertionAtAPickedPointOfTheUcs)
{
    EchoWatchingInput echoInput;
    kvedSetInputProvider(&echoInput);
    // UCS turned a quarter round about Z and moved to (10, 0, 0).
    Db().setUcs(KvGePoint3d(10, 0, 0), KvGeVector3d(0, 2, 0), KvGeVector3d(-1, 0, 0));
    echoInput.answers.push_back(QueuedEditorInput::At(KvGePoint3d(1, 2, 0)));
    TableInsertRequest request = Request({1, 2}, {0, 2, 1, 3});
    InsertExtractionTable(request, ui);

    EXPECT_EQ(echoInput.iEchoDuringPick, 0);
    EXPECT_EQ(CmdEcho(), 1);
    ASSERT_EQ(echoInput.prompts.size(), 1u);
    EXPECT_EQ(echoInput.prompts[0], u"\nPlease input table insertion point :");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"begin", "complete"}));
    EXPECT_EQ(request.iInsertResult, RTNORM);
    const Snapshot s = Read(request.idInsertedTable);
    EXPECT_NEAR(s.position.x, 8.0, 1e-12);
    EXPECT_NEAR(s.position.y, 1.0, 1e-12);
    EXPECT_EQ(s.texts[2], (Texts{u"", u"Walls"}));

    // A cancelled pick creates nothing and still turns the echo back on.
    ScriptedUi ui2;
    TableInsertRequest cancelled = Request({1}, {});
    InsertExtractionTable(cancelled, ui2);
    EXPECT_EQ(ui2.calls, (std::vector<std::string>{"begin", "cancel"}));
    EXPECT_NE(cancelled.iInsertResult, RTNORM);
    EXPECT_TRUE(cancelled.idInsertedTable.isNull());
    EXPECT_EQ(CmdEcho(), 1);
    kvedSetInputProvider(&input);
}

}  // namespace
