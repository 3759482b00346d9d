#include "table/MoveColumn.h"

#include <gtest/gtest.h>

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
