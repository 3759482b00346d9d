#include "drawing/ExtractionTag.h"

#include "DrawingTestSupport.h"

namespace {

using Texts = std::vector<std::u16string>;

class ExtractionTagTest : public DrawingTest {
protected:
    KvDbObjectId idTable;
    void SetUp() override
    {
        DrawingTest::SetUp();
        idTable = Add(new KvDbTable());
    }
    // The group as stored, every code.
    KvTypedValueList Group(const std::u16string& csApp)
    {
        KvDbObject* pObj = nullptr;
        EXPECT_EQ(kvdbOpenKvDbObject(pObj, idTable, KvDb::kForRead), Kvmo::eOk);
        resbuf* pRb = pObj->xData(csApp.c_str());
        pObj->close();
        KvTypedValueList values = kvRbToTypedValues(pRb);
        kvutRelRb(pRb);
        return values;
    }
};

TEST_F(ExtractionTagTest, WritesAccumulateClearAndReadBack)
{
    ASSERT_TRUE(AppendTagItems(idTable, kTagHandles, {u"1A", u"2B"}));
    ASSERT_TRUE(AppendTagItems(idTable, kTagHandles, {u"3C"}));
    ASSERT_TRUE(AppendTagItems(idTable, kTagTypes, {u"Line"}));
    EXPECT_EQ(ReadTag(idTable, kTagHandles), (Texts{u"1A", u"2B", u"3C"}));
    EXPECT_EQ(ReadTag(idTable, kTagTypes), (Texts{u"Line"}));
    // One 1001 entry with the name, then 1000 entries only.
    const KvTypedValueList group = Group(kTagHandles);
    ASSERT_EQ(group.size(), 4u);
    EXPECT_EQ(group[0], KvTypedValue(1001, std::u16string(kTagHandles)));
    EXPECT_EQ(group[3], KvTypedValue(1000, std::u16string(u"3C")));

    ASSERT_TRUE(ClearTag(idTable, kTagHandles));
    EXPECT_TRUE(ReadTag(idTable, kTagHandles).empty());
    EXPECT_EQ(Group(kTagHandles).size(), 1u);                  // still attached
    EXPECT_EQ(ReadTag(idTable, kTagTypes), (Texts{u"Line"}));  // the other group untouched
    EXPECT_EQ(Printed().find(u"xData"), std::u16string::npos);

    ASSERT_TRUE(AppendTagItems(idTable, kTagHandles, {u"4D"}));
    EXPECT_EQ(ReadTag(idTable, kTagHandles), (Texts{u"4D"}));
}

TEST_F(ExtractionTagTest, MissingGroupAndUnopenableObject)
{
    EXPECT_TRUE(ReadTag(idTable, kTagHandles).empty());
    EXPECT_EQ(Printed(), u"\nNone identified 'obj_handles' xData attached to this object.");
    KvConsole::instance().clearRecorded();
    EXPECT_TRUE(ReadTag(idTable, kTagHandles, false).empty());
    EXPECT_TRUE(Printed().empty());

    // Erased objects do not open: nothing is written or printed.
    KvDbObject* pObj = nullptr;
    ASSERT_EQ(kvdbOpenKvDbObject(pObj, idTable, KvDb::kForWrite), Kvmo::eOk);
    pObj->erase();
    pObj->close();
    EXPECT_FALSE(AppendTagItems(idTable, kTagHandles, {u"1"}));
    EXPECT_FALSE(ClearTag(idTable, kTagHandles));
    EXPECT_TRUE(ReadTag(idTable, kTagHandles).empty());
    EXPECT_TRUE(Printed().empty());
}

TEST_F(ExtractionTagTest, OrderFollowsTheDisplayedRowsAndSkipsRowsWithoutHandle)
{
    // Data rows 1..3, empty row 4, totals 5; sorted so that the totals entry comes second.
    const TableData table{{u"Id", u"Layer"}, {u"A1", u"0"}, {u"B2", u"1"}, {u"C3", u"2"}, {u"", u""}, {u"", u"3"}};
    const Texts lsHandles = RowHandles(table, true);
    EXPECT_EQ(lsHandles, (Texts{u"A1", u"B2", u"C3"}));
    ASSERT_TRUE(AppendTagItemsInOrder(idTable, kTagHandles, lsHandles, {0, 3, 4, 1, 2}));
    EXPECT_EQ(ReadTag(idTable, kTagHandles), (Texts{u"C3", u"A1", u"B2"}));

    ClearTag(idTable, kTagHandles);
    // Without a row order the rows are in table order.
    ASSERT_TRUE(AppendTagItemsInOrder(idTable, kTagHandles, lsHandles, {}));
    EXPECT_EQ(ReadTag(idTable, kTagHandles), lsHandles);
}

TEST_F(ExtractionTagTest, OverlongNamesAndItemsAreCutWithoutOverrun)
{
    const std::u16string csLongApp(40, u'X');
    const std::u16string csLongItem(500, u'7');
    ASSERT_TRUE(AppendTagItems(idTable, csLongApp, {csLongItem}));
    const Texts lsRead = ReadTag(idTable, csLongApp);
    ASSERT_EQ(lsRead.size(), 1u);
    EXPECT_EQ(lsRead[0], std::u16string(199, u'7'));
    EXPECT_EQ(Group(std::u16string(29, u'X')).size(), 2u);
}

}  // namespace
