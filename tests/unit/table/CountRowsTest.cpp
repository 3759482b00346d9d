// Worked examples; ReductionRandomTest compares the edge cases against the reference.
#include <gtest/gtest.h>

#include "table/CountRows.h"

using Handles = std::vector<std::u16string>;

TEST(CountRows, GroupsComeInReversedOrderAndKeepTheRowBuiltLast)
{
    TableData table = {
        {u"Id", u"Qty", u"Layer"}, {u"A1", u"1", u"A"}, {u"B1", u"1", u"B"}, {u"A2", u"1", u"A"}, {u"C1", u"1", u"C"}};
    Handles handles;
    CountRows(table, handles);
    EXPECT_EQ(table,
              (TableData{{u"Id", u"Qty", u"Layer"}, {u"C1", u"1", u"C"}, {u"A2", u"2", u"A"}, {u"B1", u"1", u"B"}}));
    EXPECT_EQ(handles, (Handles{u"C1", u"A2", u"B1"}));

    TableData empty;
    CountRows(empty, handles);
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(handles.size(), 3u);
}
