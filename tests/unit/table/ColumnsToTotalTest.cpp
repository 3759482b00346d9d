#include <gtest/gtest.h>

#include "table/ColumnsToTotal.h"

using Names = std::vector<std::u16string>;

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
