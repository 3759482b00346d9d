#include <gtest/gtest.h>

#include "table/MoveColumn.h"
#include "table/TotalLine.h"

TEST(TotalLine, RunningTotalIsRoundedToSixDigitsAtEveryAddition)
{
    const TableData table = {{u"Id", u"Length"}, {u"A", u"1000000"}, {u"B", u"1"}};
    EXPECT_EQ(ComputeTotalLine(table, {u"Length"}), (TableRow{u"", u"1e+06"}));

    // 999999 + 1 + 1: the second sum reads 1e+06 back and loses the last unit.
    const TableData table2 = {{u"Id", u"Length"}, {u"A", u"999999"}, {u"B", u"1"}, {u"C", u"1"}};
    EXPECT_EQ(ComputeTotalLine(table2, {u"Length"}), (TableRow{u"", u"1e+06"}));
    // Small parts lost one by one, where a single exact sum would have shown them.
    TableData table3 = {{u"Id", u"Area"}, {u"A", u"100000"}};
    for (int i = 0; i < 10; ++i)
        table3.push_back({u"X", u"0.4"});
    EXPECT_EQ(ComputeTotalLine(table3, {u"Area"}), (TableRow{u"", u"100000"}));
}

TEST(TotalLine, NonNumericCellsCountAsTheirLeadingNumber)
{
    const TableData table = {{u"Id", u"Qty", u"Size"}, {u"A", u"abc", u"12.5 m"}, {u"B", u"2", u"1,5"}, {u"C", u"", u"x"}};
    EXPECT_EQ(ComputeTotalLine(table, {u"Qty", u"Size"}), (TableRow{u"", u"2", u"13.5"}));
}

TEST(TotalLine, OnlyListedHeadersAreTotalledAndANameTwiceCountsTwice)
{
    const TableData table = {{u"Id", u"Qty", u"Layer", u"Length"}, {u"A", u"1", u"7", u"2"}, {u"B", u"1", u"8", u"3"}};
    // "Nope" is no header; "Length" named twice adds each cell twice.
    EXPECT_EQ(ComputeTotalLine(table, {u"Length", u"Nope", u"Qty", u"Length"}),
              (TableRow{u"", u"2", u"", u"10"}));
    // A header text carried by two columns totals both.
    const TableData twin = {{u"Id", u"L", u"L"}, {u"A", u"1", u"2"}};
    EXPECT_EQ(ComputeTotalLine(twin, {u"L"}), (TableRow{u"", u"1", u"2"}));
}

TEST(TotalLine, EmptyInputsGiveAnEmptyRowAndAHeaderOnlyTableEmptyCells)
{
    const TableData table = {{u"Id", u"Qty"}, {u"A", u"1"}};
    EXPECT_TRUE(ComputeTotalLine(table, {}).empty());
    EXPECT_TRUE(ComputeTotalLine(TableData{}, {u"Qty"}).empty());
    EXPECT_EQ(ComputeTotalLine(TableData{{u"Id", u"Qty"}}, {u"Qty"}), (TableRow{u"", u""}));
}

TEST(MoveColumn, MovesOneCellOfEveryRowEitherWay)
{
    TableData table = {{u"Id", u"a", u"b", u"c"}, {u"1", u"2", u"3", u"4"}};
    MoveColumn(table, 3, 1);
    EXPECT_EQ(table, (TableData{{u"Id", u"c", u"a", u"b"}, {u"1", u"4", u"2", u"3"}}));
    MoveColumn(table, 1, 3);
    EXPECT_EQ(table, (TableData{{u"Id", u"a", u"b", u"c"}, {u"1", u"2", u"3", u"4"}}));
    const TableData before = table;
    MoveColumn(table, 4, 1);
    MoveColumn(table, 1, 4);
    EXPECT_EQ(table, before);
    TableData empty;
    MoveColumn(empty, 0, 0);
    EXPECT_TRUE(empty.empty());
}
