#include "drawing/UpdateModes.h"

#include <cstdio>
#include <filesystem>

#include "DrawingTestSupport.h"
#include "support/ScratchDir.h"
#include "drawing/ExtractionTag.h"
#include "drawing/TableWriter.h"
#include "engine/ExtractionEngine.h"
#include "host/SelectionSet.h"
#include "table/BuildTable.h"
#include "table/TotalLine.h"

namespace {

using Texts = std::vector<std::u16string>;

class UpdateModesTest : public DrawingTest {
protected:
    UpdateDialogState state;

    // What the wizard does: read the whole drawing, assemble, insert, tag. With bTotals the
    // quantity column and the lsMarked columns are totalled.
    KvDbObjectId Extract(const Texts& lsTypes, const Texts& lsProps, bool bQty, bool bName, bool bTotals,
                         const Texts& lsMarked = {}, const std::u16string& csGroupBy = u"")
    {
        SelectionSet all;
        EXPECT_TRUE(all.Get(u"A"));
        ExtractionEngine engine(all.Name(), all.Count(), state.catalog);
        all.Free();
        engine.SelectObjectTypes(lsTypes);
        SharedTable veTable;
        HandleBlockMap blocks;
        const bool bTotalLine =
            BuildTableWithTotals(engine, lsProps, bQty, bName, bTotals, lsMarked, csGroupBy, veTable, blocks);
        if (bTotalLine) InsertRowBeforeTotalLine(veTable.Edit());
        HeaderOrder veColumns;
        for (int c = 1; c < static_cast<int>(veTable[0].size()); ++c) veColumns.push_back(c);
        const KvDbObjectId id = CreateTable(veTable, blocks, ColumnIncludeFlags(veTable[0].size(), true), veColumns, {},
                                            KvGePoint3d(), state.catalog.previewItem.name);
        TagExtractionTable(id, veTable, bTotalLine, {}, engine.lsObjectsSel);
        kvdbGetAdsName(state.enTable, id);
        state.bTableSelected = true;
        return id;
    }

    std::vector<Texts> Cells(KvDbObjectId id)
    {
        std::vector<Texts> rows;
        KvDbTable* pTable = nullptr;
        EXPECT_EQ(kvdbOpenObject(pTable, id, KvDb::kForRead), Kvmo::eOk);
        if (pTable == nullptr) return rows;
        for (int r = 0; r < pTable->numRows(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < pTable->numColumns(); ++c) rows.back().push_back(pTable->textString(r, c));
        }
        pTable->close();
        return rows;
    }

    // The header and the rows below it, in the columns named, in that order.
    std::vector<Texts> Columns(KvDbObjectId id, const Texts& lsNames)
    {
        const std::vector<Texts> rows = Cells(id);
        std::vector<Texts> picked(rows.size() - 1);
        for (const std::u16string& csName : lsNames) {
            const auto it = std::find(rows[1].begin(), rows[1].end(), csName);
            EXPECT_NE(it, rows[1].end()) << kvToUtf8(csName);
            for (std::size_t r = 1; r < rows.size(); ++r)
                picked[r - 1].push_back(it == rows[1].end() ? u"<none>" : rows[r][it - rows[1].begin()]);
        }
        return picked;
    }

    // The rows below the title and the header.
    std::vector<Texts> Data(KvDbObjectId id)
    {
        std::vector<Texts> rows = Cells(id);
        rows.erase(rows.begin(), rows.begin() + std::min<std::size_t>(2, rows.size()));
        return rows;
    }

    void Erase(KvDbObjectId id)
    {
        KvDbObject* pObj = nullptr;
        ASSERT_EQ(kvdbOpenKvDbObject(pObj, id, KvDb::kForWrite), Kvmo::eOk);
        pObj->erase();
        pObj->close();
    }

    KvDbObjectId AddBlockReference(const std::u16string& csBlock, const std::u16string& csMark)
    {
        auto* pRef = new KvDbBlockReference();
        pRef->setBlockTableRecord(BlockDefinition(Db(), csBlock));
        return Add(pRef, [&](KvDbBlockReference& ref) { AppendAttribute(ref, u"MARK", csMark); });
    }

    void SetMark(KvDbObjectId idRef, const std::u16string& csMark)
    {
        KvDbBlockReference* pRef = nullptr;
        ASSERT_EQ(kvdbOpenObject(pRef, idRef, KvDb::kForRead), Kvmo::eOk);
        const KvDbObjectId idAttribute = pRef->attributeIds().at(0);
        pRef->close();
        KvDbAttribute* pAttribute = nullptr;
        ASSERT_EQ(kvdbOpenObject(pAttribute, idAttribute, KvDb::kForWrite), Kvmo::eOk);
        pAttribute->setTextString(csMark);
        pAttribute->close();
    }

    void Run(void (*mode)(UpdateDialogState&, EditorInteraction&))
    {
        KvConsole::instance().clearRecorded();
        mode(state, ui);
    }
};

TEST_F(UpdateModesTest, RefreshOfAnUnchangedDrawingWritesNothing)
{
    AddLine(10);
    AddLine(20, u"A");
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer", u"Length"}, false, false, true, {u"Length"});
    const auto before = Cells(id);
    KvTestHooks::rejectTableCellWritesAfter(0);  // any write would print its error
    Run(UpdateSelectedTable);
    EXPECT_EQ(Printed(), u"\nTable already up to date.");
    EXPECT_EQ(Cells(id), before);
}

TEST_F(UpdateModesTest, RefreshAfterAnEraseDropsRowHandleAndRetotals)
{
    const KvDbObjectId idA = AddLine(10);
    const KvDbObjectId idB = AddLine(20, u"A");
    const KvDbObjectId idC = AddLine(5.5, u"B");
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer", u"Length"}, false, false, true, {u"Length"});
    EXPECT_EQ(Data(id).back(), (Texts{u"", u"35.5"}));
    Erase(idB);
    Run(UpdateSelectedTable);
    EXPECT_EQ(Printed(), u"\nTable updated.");
    EXPECT_EQ(Data(id), (std::vector<Texts>{{u"0", u"10"}, {u"B", u"5.5"}, {u"", u""}, {u"", u"15.5"}}));
    EXPECT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idA), HandleOf(idC)}));
    EXPECT_EQ(ReadTag(id, kTagTypes), (Texts{u"Line"}));
}

TEST_F(UpdateModesTest, RefreshAfterAnAttributeChangeWritesOnlyThatCell)
{
    AddBlockReference(u"DOOR", u"D1");
    const KvDbObjectId idRef = AddBlockReference(u"DOOR", u"D2");
    const KvDbObjectId id = Extract({u"Block"}, {u"Name", u"MARK"}, false, true, false);
    SetMark(idRef, u"D9");
    KvTestHooks::rejectTableCellWritesAfter(1);
    Run(UpdateSelectedTable);
    EXPECT_EQ(Printed(), u"\nTable updated.");
    EXPECT_EQ(Data(id), (std::vector<Texts>{{u"DOOR", u"D1"}, {u"DOOR", u"D9"}}));
}

// A counted row belongs to its group, not to the one object its tag kept: erasing either of two
// identical lines leaves the row with a count of 1 and the remaining line in the tag; a newer
// identical line becomes the kept one; the row goes only with the last object of its group.
TEST_F(UpdateModesTest, ACountedRowFollowsItsGroup)
{
    for (const bool bKeptFirst : {true, false}) {
        NewDrawing();
        const KvDbObjectId idOther = AddLine(5800);
        const KvDbObjectId idKept = AddLine(5800);
        const KvDbObjectId id = Extract({u"Line"}, {u"Qty", u"Layer", u"Length"}, true, false, true);
        ASSERT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idKept)})) << "the newer line is the one kept";
        const KvDbObjectId idGone = bKeptFirst ? idKept : idOther, idLeft = bKeptFirst ? idOther : idKept;
        Erase(idGone);
        Run(UpdateSelectedTable);
        EXPECT_EQ(Printed(), u"\nTable updated.") << bKeptFirst;
        EXPECT_EQ(Data(id), (std::vector<Texts>{{u"1", u"0", u"5800"}, {u"", u"", u""}, {u"1", u"", u""}}))
            << bKeptFirst;
        EXPECT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idLeft)})) << bKeptFirst;

        const KvDbObjectId idNewer = AddLine(5800);
        Run(UpdateSelectedTable);
        EXPECT_EQ(Data(id), (std::vector<Texts>{{u"2", u"0", u"5800"}, {u"", u"", u""}, {u"2", u"", u""}}))
            << bKeptFirst;
        EXPECT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idNewer)})) << bKeptFirst;

        Erase(idLeft);
        Erase(idNewer);
        Run(UpdateSelectedTable);
        EXPECT_EQ(Data(id), (std::vector<Texts>{{u"", u"", u""}, {u"0", u"", u""}})) << bKeptFirst;
        EXPECT_TRUE(ReadTag(id, kTagHandles).empty()) << bKeptFirst;
    }
}

// Identical references, the kept one and another erased, a new desk added: the rebuild counts
// the chair left in its row (the in-place refresh is the edit commands' end-to-end test); a row
// whose group another row's object already stands for does not come back twice.
TEST_F(UpdateModesTest, ErasingTheKeptBlockReferenceOfACountedRowKeepsTheRow)
{
    AddBlockReference(u"CHAIR", u"Vitra");
    const KvDbObjectId idSecond = AddBlockReference(u"CHAIR", u"Vitra");
    const KvDbObjectId idKept = AddBlockReference(u"CHAIR", u"Vitra");
    const KvDbObjectId idDesk = AddBlockReference(u"DESK", u"USM");
    const KvDbObjectId id = Extract({u"Block"}, {u"Qty", u"Name", u"MARK"}, true, true, true);
    ASSERT_EQ(Data(id), (std::vector<Texts>{
                            {u"1", u"DESK", u"USM"}, {u"3", u"CHAIR", u"Vitra"}, {u"", u"", u""}, {u"4", u"", u""}}));
    ASSERT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idDesk), HandleOf(idKept)}));
    Erase(idKept);
    Erase(idSecond);
    const KvDbObjectId idNewDesk = AddBlockReference(u"DESK", u"USM");
    input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(idNewDesk)}));
    Run(AddObjectsToTable);
    EXPECT_EQ(Printed(), u"\nPlease select new objects\nTable updated.");
    EXPECT_EQ(Columns(id, {u"Qty", u"Name", u"MARK"}), (std::vector<Texts>{{u"Qty", u"Name", u"MARK"},
                                                                           {u"2", u"DESK", u"USM"},
                                                                           {u"1", u"CHAIR", u"Vitra"},
                                                                           {u"", u"", u""},
                                                                           {u"3", u"", u""}}));
}

// A gone row whose cells are now those of another row's object is not brought back by its
// cells: the group is that other row's, and counting it twice would double the total.
TEST_F(UpdateModesTest, AGoneRowDoesNotTakeAGroupAnotherRowStandsFor)
{
    const KvDbObjectId idShort = AddLine(10);
    const KvDbObjectId idLong = AddLine(20);
    const KvDbObjectId id = Extract({u"Line"}, {u"Qty", u"Layer", u"Length"}, true, false, true);
    KvDbLine* pLine = nullptr;
    ASSERT_EQ(kvdbOpenObject(pLine, idLong, KvDb::kForWrite), Kvmo::eOk);
    pLine->setEndPoint(KvGePoint3d(10, 0, 0));
    pLine->close();
    Erase(idShort);
    Run(UpdateSelectedTable);
    EXPECT_EQ(Data(id), (std::vector<Texts>{{u"1", u"0", u"10"}, {u"", u"", u""}, {u"1", u"", u""}}));
    EXPECT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idLong)}));
}

TEST_F(UpdateModesTest, CombinedTableIsRefreshedByItsGroupValue)
{
    AddLine(10);
    AddLine(2, u"A");
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer", u"Length"}, false, false, true, {u"Length"}, u"Layer");
    ASSERT_EQ(Data(id), (std::vector<Texts>{{u"0", u"10"}, {u"A", u"2"}, {u"", u""}, {u"", u"12"}}));
    AddLine(3, u"A");
    Run(UpdateSelectedTable);
    EXPECT_EQ(Printed(), u"\nTable updated.");
    EXPECT_EQ(Data(id), (std::vector<Texts>{{u"0", u"10"}, {u"A", u"5"}, {u"", u""}, {u"", u"15"}}));
}

TEST_F(UpdateModesTest, RowsBeyondADamagedTagAreLeftAlone)
{
    const KvDbObjectId idA = AddLine(10);
    const KvDbObjectId idB = AddLine(20);
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer", u"Length"}, false, false, false);
    ClearTag(id, kTagHandles);
    AppendTagItems(id, kTagHandles, {HandleOf(idA)});
    Erase(idB);
    Run(UpdateSelectedTable);
    EXPECT_EQ(Printed(), u"\nTable already up to date.");
    EXPECT_EQ(Data(id), (std::vector<Texts>{{u"0", u"10"}, {u"0", u"20"}}));
}

TEST_F(UpdateModesTest, AddingObjectsAlreadyInTheTableChangesNothing)
{
    const KvDbObjectId idA = AddLine(10);
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer", u"Length"}, false, false, false);
    const auto before = Cells(id);
    input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(idA)}));
    Run(AddObjectsToTable);
    EXPECT_EQ(Printed(), u"\nPlease select new objects\nTable already up to date.");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"begin", "complete"}));
    EXPECT_EQ(Cells(id), before);
    EXPECT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idA)}));
}

TEST_F(UpdateModesTest, AddingABlockBringsTheNameColumn)
{
    const KvDbObjectId idA = AddLine(10);
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer", u"Length"}, false, false, false);
    const KvDbObjectId idRef = AddBlockReference(u"DOOR", u"D1");
    input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(idRef)}));
    Run(AddObjectsToTable);
    EXPECT_EQ(Printed(), u"\nPlease select new objects\nTable updated.");
    // Name first; kinds in name order: the block row comes first.
    EXPECT_EQ(Cells(id)[1][0], u"Name");
    EXPECT_EQ(Columns(id, {u"Name", u"MARK"}), (std::vector<Texts>{{u"Name", u"MARK"}, {u"DOOR", u"D1"}, {u"", u""}}));
    EXPECT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idRef), HandleOf(idA)}));
    EXPECT_EQ(ReadTag(id, kTagTypes), (Texts{u"Block", u"Line"}));
}

TEST_F(UpdateModesTest, AddingToACountingTableCountsInTheGroupAndRetotals)
{
    AddLine(1);
    AddLine(1);
    const KvDbObjectId idOther = AddLine(1, u"A");
    const KvDbObjectId id = Extract({u"Line"}, {u"Qty", u"Layer"}, true, false, true);
    const KvDbObjectId idNew = AddLine(1);
    const KvDbObjectId idUnpicked = AddLine(1, u"B");  // not picked: no row of its own
    (void)idUnpicked;
    input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(idNew)}));
    Run(AddObjectsToTable);
    EXPECT_EQ(Printed(), u"\nPlease select new objects\nTable updated.");
    // The new lines bring their geometric columns; quantity first, the others by name.
    const Texts lsHeader = Cells(id)[1];
    ASSERT_FALSE(lsHeader.empty());
    EXPECT_EQ(lsHeader[0], u"Qty");
    EXPECT_TRUE(std::is_sorted(lsHeader.begin() + 1, lsHeader.end()));
    EXPECT_EQ(Cells(id).at(4), Texts(lsHeader.size()));
    EXPECT_EQ(Columns(id, {u"Qty", u"Layer"}),
              (std::vector<Texts>{{u"Qty", u"Layer"}, {u"3", u"0"}, {u"1", u"A"}, {u"", u""}, {u"4", u""}}));
    EXPECT_EQ(ReadTag(id, kTagHandles), (Texts{HandleOf(idNew), HandleOf(idOther)}));
}

TEST_F(UpdateModesTest, ReplacingByMultilineTextsOnlyLeavesTitleAndHeader)
{
    AddLine(10);
    AddLine(20);
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer", u"Length"}, false, false, true, {u"Length"});
    auto* pText = new KvDbMText();
    pText->setContents(u"note");
    const KvDbObjectId idText = Add(pText);
    input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(idText)}));
    Run(ReplaceTableSelection);
    EXPECT_EQ(Cells(id), (std::vector<Texts>{{u"Title", u""}, {u"Layer", u"Length"}}));
    EXPECT_TRUE(ReadTag(id, kTagHandles).empty());
    EXPECT_TRUE(ReadTag(id, kTagTypes).empty());
    EXPECT_EQ(Printed(), u"\nYour new selection\nTable updated.");
}

TEST_F(UpdateModesTest, ExportWritesTheChosenFormatWhateverTheExtension)
{
    AddLine(10);
    Extract({u"Line"}, {u"Layer", u"Length"}, false, false, false);
    const ScratchDir dir;
    const std::filesystem::path csvPath = dir.Path("out.csv");
    const std::filesystem::path xlsPath = dir.Path("typed.csv");

    ui.bSaveConfirmed = true;
    ui.csSavePath = kvFromUtf8(csvPath.string());
    ui.iSaveFilter = 1;
    Run(UpdateExportation);
    EXPECT_EQ(ui.csAskedFilter, u"Csv file (*.csv)|*.csv| Xls file (*.xls)|*.xls||");
    EXPECT_EQ(ui.csAskedName, u"*.csv");
    EXPECT_EQ(Printed(), u"\nCSV export done to : " + ui.csSavePath);
    EXPECT_EQ(ReadBytes(csvPath), "Layer,\"Length\"\r\n0,\"10\"\r\n");

    ui.csSavePath = kvFromUtf8(xlsPath.string());
    ui.iSaveFilter = 2;
    Run(UpdateExportation);
    EXPECT_EQ(Printed(), u"\nFinished XLS exportation to : " + ui.csSavePath);
    EXPECT_EQ(ReadBytes(xlsPath).substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));

    // Cancelled save dialog: nothing.
    ui.bSaveConfirmed = false;
    Run(UpdateExportation);
    EXPECT_TRUE(Printed().empty());
}

TEST_F(UpdateModesTest, ModesWithoutAPickedTableEndQuietly)
{
    const KvDbObjectId idLine = AddLine(10);
    Run(SelectTable);  // nothing to pick: cancelled
    EXPECT_EQ(Printed(), u"Please select the data table");
    EXPECT_FALSE(state.bTableSelected);
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"begin", "cancel"}));
    Run(UpdateSelectedTable);
    EXPECT_TRUE(Printed().empty());
    input.answers.push_back(QueuedEditorInput::Picked({}));
    Run(ReplaceTableSelection);
    EXPECT_EQ(Printed(), u"\nYour new selection");

    // Only a table can be picked: a line leaves none chosen.
    const KvDbObjectId id = Extract({u"Line"}, {u"Layer"}, false, false, false);
    kv_name none = {0, 0};
    std::copy(std::begin(none), std::end(none), std::begin(state.enTable));
    state.bTableSelected = false;
    input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(idLine)}));
    Run(SelectTable);
    EXPECT_FALSE(state.bTableSelected);
    input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(id)}));
    Run(SelectTable);
    EXPECT_TRUE(state.bTableSelected);
    KvDbObjectId idPicked;
    ASSERT_EQ(kvdbGetObjectId(idPicked, state.enTable), Kvmo::eOk);
    EXPECT_EQ(idPicked, id);
}

}  // namespace
