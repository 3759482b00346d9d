// The fast reductions against the row-by-row reference on many random tables.
#include <gtest/gtest.h>

#include <random>

#include "ReductionReference.h"
#include "table/CombineRows.h"
#include "table/CountRows.h"
#include "table/TotalLine.h"

namespace {

const std::vector<std::u16string> kCells = {u"",       u"a",      u"A",          u"abc", u"ABC",  u"0",      u"1",
                                            u"2",      u"9",      u"10",         u"2.5", u"-3",   u"999999", u"1000000",
                                            u"1e+06",  u"0.4",    u" 7x",        u"1,5", u"x",    u"0x10",   u"inf",
                                            u"\u00e9", u"\uFF21", u"\U0001F600", u"Qty", u"Layer"};
const std::vector<std::u16string> kHeaderNames = {u"Qty", u"Layer", u"Length", u"Name", u"Area", u"Color"};

std::u16string Handle(char16_t prefix, std::size_t n)
{
    std::u16string csHandle{prefix};
    csHandle.push_back(static_cast<char16_t>(u'a' + n % 26));
    csHandle.push_back(static_cast<char16_t>(u'a' + n / 26 % 26));
    return csHandle;
}

struct RandomTable {
    TableData table;
    std::vector<std::u16string> lsTotals;
    std::u16string csGroupBy;
};

RandomTable MakeTable(std::mt19937& random, std::size_t nMaxRows)
{
    auto pick = [&](const auto& pool) { return pool[random() % pool.size()]; };
    RandomTable result;
    const std::size_t nColumns = 1 + random() % 6;
    TableRow header{u"Id"};
    for (std::size_t k = 1; k < nColumns; ++k) header.push_back(pick(kHeaderNames));  // duplicate headers on purpose
    result.table.push_back(header);

    // A few distinct row shapes make duplicates frequent; some tables get free-form rows.
    const std::size_t nShapes = 1 + random() % 8;
    std::vector<TableRow> shapes;
    for (std::size_t s = 0; s < nShapes; ++s) {
        TableRow shape{u""};
        for (std::size_t k = 1; k < nColumns; ++k) shape.push_back(pick(kCells));
        shapes.push_back(shape);
    }
    const std::size_t nRows = random() % (nMaxRows + 1);
    for (std::size_t r = 0; r < nRows; ++r) {
        TableRow row;
        switch (random() % 10) {
        case 0: row = header; break;  // the header as a whole
        case 1:
            row = header;
            row[0] = Handle(u'H', r % 10);
            break;  // the header from column 1 on
        case 2:
            row = shapes[0];
            for (std::size_t k = 1; k < nColumns; ++k) row[k] = pick(kCells);
            break;
        default: row = pick(shapes); break;
        }
        if (row[0].empty()) row[0] = Handle(u'h', r % 676);  // repeats now and then
        result.table.push_back(row);
    }

    const std::size_t nTotals = random() % 4;
    for (std::size_t t = 0; t < nTotals; ++t) result.lsTotals.push_back(random() % 5 == 0 ? u"Id" : pick(kHeaderNames));
    result.csGroupBy = random() % 8 == 0 ? u"Id" : pick(kHeaderNames);
    return result;
}

void CompareOn(std::mt19937& random, int nTables, std::size_t nMaxRows)
{
    for (int i = 0; i < nTables; ++i) {
        const RandomTable input = MakeTable(random, nMaxRows);
        SCOPED_TRACE(testing::Message() << "table " << i << " with " << input.table.size() << " rows");

        TableData fast = input.table, slow = input.table;
        std::vector<std::u16string> fastHandles{u"before"}, slowHandles{u"before"};
        CountRows(fast, fastHandles);
        reference::CountRows(slow, slowHandles);
        ASSERT_EQ(fast, slow);
        ASSERT_EQ(fastHandles, slowHandles);

        ASSERT_EQ(ComputeTotalLine(input.table, input.lsTotals), reference::TotalLine(input.table, input.lsTotals));

        fast = input.table;
        slow = input.table;
        CombineRows(fast, input.csGroupBy, input.lsTotals);
        reference::CombineRows(slow, input.csGroupBy, input.lsTotals);
        ASSERT_EQ(fast, slow) << "grouped by " << std::string(input.csGroupBy.begin(), input.csGroupBy.end());
    }
}

}  // namespace

TEST(ReductionRandom, SmallTablesMatchTheReference)
{
    std::mt19937 random(20261205);
    CompareOn(random, 2000, 40);
}

TEST(ReductionRandom, LongTablesMatchTheReference)
{
    std::mt19937 random(7);
    CompareOn(random, 6, 1500);
}
