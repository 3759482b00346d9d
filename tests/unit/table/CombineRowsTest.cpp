// A worked example; ReductionRandomTest compares the edge cases against the reference.
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
