// Worked examples of the table steps; ReductionRandomTest compares the edge cases of the
// reductions against the row-by-row reference.
#include <gtest/gtest.h>

#include "table/ColumnsToTotal.h"
#include "table/CombineRows.h"
#include "table/CountRows.h"
#include "table/TotalLine.h"

using Names = std::vector<std::u16string>;

TEST(CountRows, GroupsComeInReversedOrderAndKeepTheRowBuiltLast)
{
    TableData table = {
        {u"Id", u"Qty", u"Layer"}, {u"A1", u"1", u"A"}, {u"B1", u"1", u"B"}, {u"A2", u"1", u"A"}, {u"C1", u"1", u"C"}};
    Names handles;
    CountRows(table, handles);
    EXPECT_EQ(table,
              (TableData{{u"Id", u"Qty", u"Layer"}, {u"C1", u"1", u"C"}, {u"A2", u"2", u"A"}, {u"B1", u"1", u"B"}}));
    EXPECT_EQ(handles, (Names{u"C1", u"A2", u"B1"}));

    TableData empty;
    CountRows(empty, handles);
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(handles.size(), 3u);
}

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

TEST(TotalLine, RunningTotalIsRoundedToSixDigitsAtEveryAddition)
{
    const TableData table = {{u"Id", u"Length"}, {u"A", u"1000000"}, {u"B", u"1"}};
    EXPECT_EQ(ComputeTotalLine(table, {u"Length"}), (TableRow{u"", u"1e+06"}));

    // 999999 + 1 + 1: the second sum reads 1e+06 back and loses the last unit.
    const TableData table2 = {{u"Id", u"Length"}, {u"A", u"999999"}, {u"B", u"1"}, {u"C", u"1"}};
    EXPECT_EQ(ComputeTotalLine(table2, {u"Length"}), (TableRow{u"", u"1e+06"}));
    // Small parts lost one by one, where a single exact sum would have shown them.
    TableData table3 = {{u"Id", u"Area"}, {u"A", u"100000"}};
    for (int i = 0; i < 10; ++i) table3.push_back({u"X", u"0.4"});
    EXPECT_EQ(ComputeTotalLine(table3, {u"Area"}), (TableRow{u"", u"100000"}));
}

TEST(TotalLine, EmptyInputsGiveAnEmptyRow)
{
    EXPECT_TRUE(ComputeTotalLine(TableData{}, {u"Qty"}).empty());
    EXPECT_TRUE(ComputeTotalLine(TableData{{u"Id", u"Qty"}, {u"A", u"1"}}, {}).empty());
}

TEST(ColumnsToTotal, TotalisableOfferedHeadersAndTheQuantityInOrdinalOrder)
{
    const PropItemSet seItems = {{u"Width", 4, true}, {u"Length", 2, true}, {u"Layer", 1, false}, {u"area", 2, true}};
    const TableRow header = {u"Id", u"Width", u"Qty", u"Layer", u"Length", u"Area", u"Width"};
    EXPECT_EQ(ColumnsToTotal(header, seItems, u"Qty"), (Names{u"Length", u"Qty", u"Width"}));
}

TEST(ColumnsToTotal, TheQuantityNeedsSomeOfferedItem)
{
    const TableRow header = {u"Id", u"Qty", u"Length"};
    EXPECT_TRUE(ColumnsToTotal(header, {}, u"Qty").empty());
    EXPECT_EQ(ColumnsToTotal(header, {{u"Layer", 1, false}}, u"Qty"), (Names{u"Qty"}));
}
