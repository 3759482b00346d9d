#include <gtest/gtest.h>

#include "table/CombineRows.h"

TEST(CombineRows, OneRowPerValueInOrdinalOrderWithTheGroupColumnFirst)
{
    TableData table = {{u"Id", u"Color", u"Layer", u"Length"},
                       {u"1", u"red", u"a", u"1.5"},
                       {u"2", u"red", u"9", u"2"},
                       {u"3", u"blue", u"A", u"4"},
                       {u"4", u"red", u"10", u"8"},
                       {u"5", u"red", u"a", u"2.5"},
                       {u"6", u"red", u"", u"x"}};
    CombineRows(table, u"Layer", {u"Length"});
    EXPECT_EQ(table, (TableData{{u"Id", u"Layer", u"Color", u"Length"},
                                {u"", u"", u"", u"0"},
                                {u"", u"10", u"", u"8"},
                                {u"", u"9", u"", u"2"},
                                {u"", u"A", u"", u"4"},
                                {u"", u"a", u"", u"4"}}));
}

TEST(CombineRows, OrdersByUtf16CodeUnits)
{
    // U+1F600 is stored as the surrogates D83D DE00, which sort below U+FF21.
    TableData table = {{u"Id", u"Name", u"Qty"}, {u"1", u"\uFF21", u"1"}, {u"2", u"\U0001F600", u"2"}, {u"3", u"\u00e9", u"4"}};
    CombineRows(table, u"Name", {u"Qty"});
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[1][1], u"\u00e9");
    EXPECT_EQ(table[2][1], u"\U0001F600");
    EXPECT_EQ(table[3][1], u"\uFF21");
}

TEST(CombineRows, RowsEqualToTheHeaderAreNeverCombined)
{
    TableData table = {{u"Id", u"Layer", u"Qty"}, {u"Id", u"Layer", u"Qty"}, {u"x", u"Layer", u"3"}};
    CombineRows(table, u"Layer", {u"Qty"});
    EXPECT_EQ(table, (TableData{{u"Id", u"Layer", u"Qty"}, {u"", u"Layer", u"3"}}));
}

TEST(CombineRows, NoTotalColumnsLeaveOnlyTheMovedHeader)
{
    TableData table = {{u"Id", u"Color", u"Layer"}, {u"1", u"red", u"0"}, {u"2", u"red", u"1"}};
    CombineRows(table, u"Layer", {});
    EXPECT_EQ(table, (TableData{{u"Id", u"Layer", u"Color"}}));
}

TEST(CombineRows, AGroupByNameThatIsNoHeaderChangesNothing)
{
    const TableData before = {{u"Id", u"Color"}, {u"1", u"red"}, {u"2", u"red"}};
    TableData table = before;
    CombineRows(table, u"color", {u"Color"});
    EXPECT_EQ(table, before);
}
