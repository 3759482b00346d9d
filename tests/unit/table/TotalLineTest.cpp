// Worked examples; ReductionRandomTest compares the edge cases against the reference.
#include <gtest/gtest.h>

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
    for (int i = 0; i < 10; ++i) table3.push_back({u"X", u"0.4"});
    EXPECT_EQ(ComputeTotalLine(table3, {u"Area"}), (TableRow{u"", u"100000"}));
}

TEST(TotalLine, EmptyInputsGiveAnEmptyRow)
{
    EXPECT_TRUE(ComputeTotalLine(TableData{}, {u"Qty"}).empty());
    EXPECT_TRUE(ComputeTotalLine(TableData{{u"Id", u"Qty"}, {u"A", u"1"}}, {}).empty());
}
