#include "support/DrawingFixture.h"

class TableTest : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        KvDbDictionary* pStyles = nullptr;
        ASSERT_EQ(Db().getTableStyleDictionary(pStyles, KvDb::kForRead), Kvmo::eOk);
        ASSERT_EQ(pStyles->getAt(u"Standard", standardStyle), Kvmo::eOk);
        pStyles->close();
        auto* pNew = new KvDbTable();
        ASSERT_EQ(pNew->setTableStyle(standardStyle), Kvmo::eOk);
        ASSERT_EQ(pNew->setSize(4, 3), Kvmo::eOk);
        id = Add(pNew);
        ASSERT_EQ(kvdbOpenObject(pTable, id, KvDb::kForWrite), Kvmo::eOk);
    }
    void TearDown() override
    {
        pTable->close();
        DrawingFixture::TearDown();
    }
    // Cell texts row by row, "|" between columns.
    std::vector<std::u16string> rows() const
    {
        std::vector<std::u16string> out;
        for (int r = 0; r < pTable->numRows(); ++r) {
            std::u16string row;
            for (int c = 0; c < pTable->numColumns(); ++c) row += (c ? u"|" : u"") + pTable->textString(r, c);
            out.push_back(row);
        }
        return out;
    }
    void fill()
    {
        for (int r = 0; r < pTable->numRows(); ++r)
            for (int c = 0; c < pTable->numColumns(); ++c)
                ASSERT_EQ(pTable->setTextString(r, c, std::u16string(1, u'a' + r) + std::u16string(1, u'0' + c)),
                          Kvmo::eOk);
    }

    KvDbObjectId standardStyle, id;
    KvDbTable* pTable = nullptr;
};

TEST_F(TableTest, CellsNeedAWriteOpenAndValidIndexes)
{
    EXPECT_EQ(pTable->setTextString(4, 0, u"x"), Kvmo::eInvalidIndex);
    EXPECT_EQ(pTable->setTextString(0, -1, u"x"), Kvmo::eInvalidIndex);
    EXPECT_EQ(pTable->textString(9, 9), u"");
    pTable->downgradeOpen();
    EXPECT_EQ(pTable->setTextString(0, 0, u"x"), Kvmo::eNotOpenForWrite);
    EXPECT_EQ(pTable->setColumnWidth(5.0), Kvmo::eNotOpenForWrite);
    EXPECT_EQ(pTable->generateLayout(), Kvmo::eNotOpenForWrite);
    pTable->upgradeOpen();
    EXPECT_EQ(pTable->setSize(0, 3), Kvmo::eInvalidInput);
    EXPECT_EQ(pTable->numRows(), 4);
}

TEST_F(TableTest, InsertAndDeleteMoveContentsAndMergedRanges)
{
    fill();
    ASSERT_EQ(pTable->mergeCells(0, 0, 0, 2), Kvmo::eOk);
    ASSERT_EQ(pTable->insertRows(1, 0.5, 2), Kvmo::eOk);
    EXPECT_EQ(rows(), (std::vector<std::u16string>{u"a0|a1|a2", u"||", u"||", u"b0|b1|b2", u"c0|c1|c2", u"d0|d1|d2"}));
    EXPECT_DOUBLE_EQ(pTable->rowHeight(2), 0.5);
    ASSERT_EQ(pTable->insertColumns(1, 7.0), Kvmo::eOk);
    EXPECT_EQ(pTable->textString(3, 2), u"b1");
    EXPECT_DOUBLE_EQ(pTable->columnWidth(1), 7.0);
    int minCol = -1, maxCol = -1;
    ASSERT_TRUE(pTable->isMergedCell(0, 3, nullptr, nullptr, &minCol, &maxCol));
    EXPECT_EQ(maxCol, 3);  // a column inserted inside the merge widens it

    // What a rewrite does: back to one row and one column, then grow again.
    ASSERT_EQ(pTable->deleteRows(1, pTable->numRows() - 1), Kvmo::eOk);
    ASSERT_EQ(pTable->deleteColumns(1, pTable->numColumns() - 1), Kvmo::eOk);
    EXPECT_EQ(rows(), std::vector<std::u16string>{u"a0"});
    EXPECT_TRUE(pTable->mergedRanges().empty());               // a one-cell range is no merge
    EXPECT_EQ(pTable->deleteRows(0, 1), Kvmo::eInvalidInput);  // the last row stays
    EXPECT_EQ(pTable->deleteColumns(0, 2), Kvmo::eInvalidIndex);
    ASSERT_EQ(pTable->insertColumns(1, pTable->columnWidth(0), 2), Kvmo::eOk);
    ASSERT_EQ(pTable->insertRows(1, pTable->rowHeight(0), 3), Kvmo::eOk);
    EXPECT_EQ(pTable->numRows(), 4);
    EXPECT_EQ(pTable->numColumns(), 3);
}

TEST_F(TableTest, DeletingInsideAMergeShrinksIt)
{
    ASSERT_EQ(pTable->mergeCells(1, 3, 0, 1), Kvmo::eOk);
    ASSERT_EQ(pTable->deleteRows(2, 1), Kvmo::eOk);
    EXPECT_EQ(pTable->mergedRanges(), (std::vector<KvDbTable::MergedRange>{{1, 2, 0, 1}}));
    ASSERT_EQ(pTable->deleteColumns(0, 1), Kvmo::eOk);
    EXPECT_EQ(pTable->mergedRanges(), (std::vector<KvDbTable::MergedRange>{{1, 2, 0, 0}}));
    ASSERT_EQ(pTable->mergeCells(0, 1, 0, 0), Kvmo::eOk);  // overlaps the old one: replaces it
    EXPECT_EQ(pTable->mergedRanges(), (std::vector<KvDbTable::MergedRange>{{0, 1, 0, 0}}));
    EXPECT_FALSE(pTable->isMergedCell(2, 0));
    EXPECT_EQ(pTable->mergeCells(0, 5, 0, 0), Kvmo::eInvalidIndex);
}

TEST_F(TableTest, BlockAndTextShareACell)
{
    ASSERT_EQ(pTable->setTextString(2, 1, u"old"), Kvmo::eOk);
    EXPECT_EQ(pTable->setBlockTableRecordId(2, 1, id), Kvmo::eInvalidInput);  // not a block definition
    ASSERT_EQ(pTable->setBlockTableRecordId(2, 1, Db().modelSpaceId(), true), Kvmo::eOk);
    EXPECT_EQ(pTable->textString(2, 1), u"");
    EXPECT_EQ(pTable->blockTableRecordId(2, 1), Db().modelSpaceId());
    EXPECT_TRUE(pTable->cellAt(2, 1)->autoFit);
    ASSERT_EQ(pTable->setTextString(2, 1, u"new"), Kvmo::eOk);
    EXPECT_TRUE(pTable->blockTableRecordId(2, 1).isNull());
}

TEST_F(TableTest, TextHeightAndStyleFallBackToTheTableStyle)
{
    EXPECT_DOUBLE_EQ(pTable->textHeight(1, 1), 0.18);
    EXPECT_EQ(pTable->textStyle(1, 1), Db().textstyle());
    KvDbTableStyle* pStyle = nullptr;
    ASSERT_EQ(kvdbOpenObject(pStyle, standardStyle, KvDb::kForWrite), Kvmo::eOk);
    pStyle->setTextHeight(0.25);
    pStyle->close();
    EXPECT_DOUBLE_EQ(pTable->textHeight(1, 1), 0.25);
    ASSERT_EQ(pTable->setTextHeight(1, 1, 0.5), Kvmo::eOk);
    EXPECT_DOUBLE_EQ(pTable->textHeight(1, 1), 0.5);
    EXPECT_DOUBLE_EQ(pTable->textHeight(1, 2), 0.25);

    KvDbTable unstyled;
    unstyled.setSize(1, 1);
    EXPECT_DOUBLE_EQ(unstyled.textHeight(0, 0), 0.18);
    EXPECT_EQ(unstyled.setTableStyle(Db().modelSpaceId()), Kvmo::eInvalidInput);  // not a table style
}

// Cells of their own style among cells of the table's: each keeps its own when measured and when
// rows and columns move around it.
TEST_F(TableTest, CellsKeepTheirOwnStyleThroughLayoutAndMoves)
{
    KvDbSymbolTable* pStyles = nullptr;
    ASSERT_EQ(kvdbOpenObject(pStyles, Db().textStyleTableId(), KvDb::kForWrite), Kvmo::eOk);
    auto* pWide = new KvDbTextStyleTableRecord();
    pWide->setName(u"Wide");
    pWide->xScale = 4.0;
    KvDbObjectId wide;
    ASSERT_EQ(pStyles->add(wide, pWide), Kvmo::eOk);
    pStyles->close();

    ASSERT_EQ(pTable->setColumnWidth(3.0), Kvmo::eOk);
    ASSERT_EQ(pTable->setRowHeight(0.1), Kvmo::eOk);
    for (int r = 1; r < 4; ++r) ASSERT_EQ(pTable->setTextString(r, 0, u"some text"), Kvmo::eOk);
    ASSERT_EQ(pTable->setTextStyle(1, 0, wide), Kvmo::eOk);
    ASSERT_EQ(pTable->setTextStyle(3, 0, wide), Kvmo::eOk);
    ASSERT_EQ(pTable->setTextHeight(3, 0, 0.36), Kvmo::eOk);
    ASSERT_EQ(pTable->generateLayout(), Kvmo::eOk);
    const double m = 0.06, h = 0.18;
    EXPECT_NEAR(pTable->rowHeight(2), 2 * m + h, 1e-12);                      // fits on one line
    EXPECT_NEAR(pTable->rowHeight(1), 2 * m + h + h * 5 / 3, 1e-12);          // four times as wide: two
    EXPECT_NEAR(pTable->rowHeight(3), 2 * m + 2 * h + 4 * h * 5 / 3, 1e-12);  // and twice as high: three

    ASSERT_EQ(pTable->insertColumns(0, 3.0), Kvmo::eOk);
    ASSERT_EQ(pTable->deleteRows(2, 1), Kvmo::eOk);
    EXPECT_EQ(pTable->textStyle(1, 1), wide);
    EXPECT_EQ(pTable->textStyle(2, 1), wide);
    EXPECT_DOUBLE_EQ(pTable->textHeight(2, 1), 0.36);
    EXPECT_EQ(pTable->textStyle(2, 0), Db().textstyle());
    EXPECT_EQ(pTable->textStyle(1, 2), Db().textstyle());
}

TEST_F(TableTest, LayoutGrowsRowsForLinesAndWrappedText)
{
    ASSERT_EQ(pTable->setColumnWidth(20.0), Kvmo::eOk);
    ASSERT_EQ(pTable->setRowHeight(0.1), Kvmo::eOk);
    ASSERT_EQ(pTable->setTextString(1, 0, u"one line"), Kvmo::eOk);
    ASSERT_EQ(pTable->setTextString(2, 0, u"first\nsecond\nthird"), Kvmo::eOk);
    ASSERT_EQ(pTable->setColumnWidth(2, 1.0), Kvmo::eOk);
    ASSERT_EQ(pTable->setTextString(3, 2, u"a rather long text for a narrow column"), Kvmo::eOk);
    ASSERT_EQ(pTable->generateLayout(), Kvmo::eOk);
    const double h = 0.18, m = 0.06;
    EXPECT_DOUBLE_EQ(pTable->rowHeight(0), 0.1);  // empty: as set
    EXPECT_NEAR(pTable->rowHeight(1), 2 * m + h, 1e-12);
    EXPECT_NEAR(pTable->rowHeight(2), 2 * m + h + 2 * h * 5 / 3, 1e-12);
    EXPECT_GT(pTable->rowHeight(3), 2 * m + h + 2 * h * 5 / 3);  // wrapped onto more than three lines
}
