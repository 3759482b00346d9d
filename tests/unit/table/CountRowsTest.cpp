#include <gtest/gtest.h>

#include "table/CountRows.h"

using Handles = std::vector<std::u16string>;

TEST(CountRows, GroupsComeInReversedOrderAndKeepTheRowBuiltLast)
{
    TableData table = {{u"Id", u"Qty", u"Layer"},
                       {u"A1", u"1", u"A"},
                       {u"B1", u"1", u"B"},
                       {u"A2", u"1", u"A"},
                       {u"C1", u"1", u"C"}};
    Handles handles;
    CountRows(table, handles);
    EXPECT_EQ(table, (TableData{{u"Id", u"Qty", u"Layer"}, {u"C1", u"1", u"C"}, {u"A2", u"2", u"A"}, {u"B1", u"1", u"B"}}));
    EXPECT_EQ(handles, (Handles{u"C1", u"A2", u"B1"}));
}

TEST(CountRows, ComparesExactlyFromColumnOneOn)
{
    TableData table = {{u"Id", u"Qty", u"Layer", u"Color"},
                       {u"1", u"1", u"0", u"red"},
                       {u"2", u"1", u"0", u"red"},
                       {u"3", u"1", u"abc", u""},
                       {u"4", u"1", u"0", u"red"},
                       {u"5", u"1", u"ABC", u""},
                       {u"6", u"1", u"abc", u" "}};
    Handles handles;
    CountRows(table, handles);
    EXPECT_EQ(table, (TableData{{u"Id", u"Qty", u"Layer", u"Color"},
                                {u"6", u"1", u"abc", u" "},
                                {u"5", u"1", u"ABC", u""},
                                {u"4", u"3", u"0", u"red"},
                                {u"3", u"1", u"abc", u""}}));
    EXPECT_EQ(handles, (Handles{u"6", u"5", u"4", u"3"}));
}

TEST(CountRows, AHeaderEqualToADataRowIsCountedButNeverKept)
{
    TableData table = {{u"Id", u"Qty", u"L"}, {u"h", u"Qty", u"L"}, {u"k", u"1", u"L"}};
    Handles handles;
    CountRows(table, handles);
    EXPECT_EQ(table, (TableData{{u"Id", u"Qty", u"L"}, {u"k", u"1", u"L"}, {u"h", u"2", u"L"}}));
    EXPECT_EQ(handles, (Handles{u"k", u"h"}));
}

TEST(CountRows, HeaderOnlyAndEmptyTablesStayAsTheyAre)
{
    TableData header = {{u"Id", u"Qty"}};
    Handles handles;
    CountRows(header, handles);
    EXPECT_EQ(header, (TableData{{u"Id", u"Qty"}}));
    TableData empty;
    CountRows(empty, handles);
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(handles.empty());
}
