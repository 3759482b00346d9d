#include "drawing/TableCellsUpdate.h"

#include <random>

#include "DrawingTestSupport.h"
#include "drawing/TableReadBack.h"
#include "table/TotalLine.h"

namespace {

using Texts = std::vector<std::u16string>;

// A table entity outside any drawing: title, then the given rows (header first).
void Fill(KvDbTable& table, const std::vector<Texts>& rows)
{
    table.setSize(static_cast<int>(rows.size()) + 1, static_cast<int>(rows[0].size()));
    table.setTextString(0, 0, u"Title");
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) table.setTextString(int(r) + 1, int(c), rows[r][c]);
}

std::vector<Texts> Rows(const KvDbTable& table)
{
    TableData rows;
    ReadTableRows(table, rows);
    return rows;
}

class TableCellsUpdateTest : public DrawingTest {};

TEST_F(TableCellsUpdateTest, DeletingByContentAndRemovingHandles)
{
    KvDbTable table;
    Fill(table, {{u"Layer"}, {u"0"}, {u"A"}, {u"0"}});
    EXPECT_TRUE(DeleteMatchingRows(table, {u"0"}));
    EXPECT_EQ(Rows(table), (std::vector<Texts>{{u"Layer"}, {u"A"}}));
    EXPECT_FALSE(DeleteMatchingRows(table, {u"Layer"}));  // the header row is never a data row
    EXPECT_EQ(table.textString(0, 0), u"Title");

    Texts lsHandles{u"1", u"2", u"1", u"3"};
    RemoveHandle(lsHandles, u"1");
    EXPECT_EQ(lsHandles, (Texts{u"2", u"3"}));
}

TEST_F(TableCellsUpdateTest, AGoneObjectTakesOnlyItsOwnRowNotAnIdenticalOne)
{
    KvDbTable table;
    Fill(table, {{u"Layer"}, {u"0"}, {u"0"}});
    Texts lsHandles{u"A", u"B"};
    TableData veEngine{{u"Id", u"Layer"}, {u"B", u"0"}};
    EXPECT_TRUE(UpdateTableCells(veEngine, table, lsHandles, false));
    EXPECT_EQ(Rows(table), (std::vector<Texts>{{u"Layer"}, {u"0"}}));
    EXPECT_EQ(lsHandles, (Texts{u"B"}));
}

TEST_F(TableCellsUpdateTest, ADataRowStartingEmptyIsNotTakenForTheTotals)
{
    // A line has no name: its row starts with an empty cell, yet it is an object row.
    KvDbTable table;
    Fill(table, {{u"Name", u"Layer"}, {u"Door", u"0"}, {u"", u"A"}, {u"Window", u"B"}});
    EXPECT_FALSE(HasTotalsRows(table));
    Texts lsHandles{u"1", u"2", u"3"};
    TableData veEngine{{u"Id", u"Name", u"Layer"}, {u"1", u"Door", u"0"}, {u"2", u"", u"A2"}, {u"3", u"Window", u"B"}};
    EXPECT_TRUE(UpdateTableCells(veEngine, table, lsHandles, false));
    EXPECT_EQ(Rows(table), (std::vector<Texts>{{u"Name", u"Layer"}, {u"Door", u"0"}, {u"", u"A2"}, {u"Window", u"B"}}));

    KvDbTable totals;
    Fill(totals, {{u"Name", u"Length"}, {u"Door", u"2"}, {u"", u""}, {u"", u"2"}});
    EXPECT_TRUE(HasTotalsRows(totals));
    EXPECT_EQ(ColumnsWithTotals(totals), (Texts{u"Length"}));
}

TEST_F(TableCellsUpdateTest, ARejectedWriteStopsWithWhatWasWritten)
{
    KvDbTable table;
    Fill(table, {{u"Layer", u"Length"}, {u"0", u"1"}, {u"0", u"2"}});
    Texts lsHandles{u"A", u"B"};
    TableData veEngine{{u"Id", u"Layer", u"Length"}, {u"A", u"X", u"9"}, {u"B", u"Y", u"8"}};
    KvTestHooks::rejectTableCellWritesAfter(1);
    EXPECT_TRUE(UpdateTableCells(veEngine, table, lsHandles, false));
    EXPECT_EQ(Printed(), u"Error adding content into a table cell");
    EXPECT_EQ(Rows(table), (std::vector<Texts>{{u"Layer", u"Length"}, {u"X", u"1"}, {u"0", u"2"}}));
    EXPECT_EQ(lsHandles, (Texts{u"A", u"B"}));
}

// The refresh as first written: every table row against every engine row, rows deleted by
// content. On tables without repeated rows the indexed refresh must end the same way.
bool ReferenceUpdate(TableData veEngine, KvDbTable& table, Texts& lsHandles, bool bGroup)
{
    int nRows = table.numRows();
    const int nColumns = table.numColumns();
    const bool bTotals = nRows >= 4 && table.textString(nRows - 2, 0).empty();
    TotalColumns lsCols;
    std::size_t nData = veEngine.size() - 1;
    if (bTotals) {
        lsCols = ColumnsWithTotals(table);
        TableRow line = ComputeTotalLine(veEngine, lsCols);
        if (!line.empty()) veEngine.push_back(line);
        nRows -= 2;
    }
    bool bChanged = false;
    std::vector<Texts> veGone;
    Texts lsGone;
    for (int r = 2; r < nRows; ++r) {
        const std::size_t k = static_cast<std::size_t>(r - 2);
        const Texts row = ReadTableRow(table, r, nColumns);
        bool bMatched = false;
        for (std::size_t j = 1; j <= nData; ++j) {
            if (bGroup ? veEngine[j][1] != row[0] : veEngine[j][0] != lsHandles[k]) continue;
            bMatched = true;
            for (int c = 0; c < nColumns; ++c) {
                if (table.textString(r, c) != veEngine[j][c + 1]) {
                    table.setTextString(r, c, veEngine[j][c + 1]);
                    bChanged = true;
                }
            }
        }
        if (!bMatched) {
            bChanged = true;
            veGone.push_back(row);
            lsGone.push_back(lsHandles[k]);
        }
    }
    for (const Texts& row : veGone) DeleteMatchingRows(table, row);
    if (bTotals && bChanged) {
        TableData rows;
        ReadTableRows(table, rows);
        rows.pop_back();
        const TableRow line = ComputeTotalLine(rows, lsCols);
        for (int c = 0; c < static_cast<int>(line.size()); ++c) table.setTextString(table.numRows() - 1, c, line[c]);
    }
    for (const auto& cs : lsGone) RemoveHandle(lsHandles, cs);
    return bChanged;
}

TEST_F(TableCellsUpdateTest, IndexedRefreshEndsLikeTheRowByRowOne)
{
    std::mt19937 random(7);
    for (int iCase = 0; iCase < 40; ++iCase) {
        const bool bGroup = iCase % 2 == 1;
        const bool bTotals = iCase % 4 >= 2;
        const int nObjects = 5 + static_cast<int>(random() % 30);
        std::vector<Texts> rows{{u"Key", u"Length"}};
        Texts lsHandles;
        TableData veEngine{{u"Id", u"Key", u"Length"}};
        for (int i = 0; i < nObjects; ++i) {
            const std::u16string csHandle = u"H" + std::u16string(1, static_cast<char16_t>(u'A' + i));
            const std::u16string csKey = u"K" + csHandle;
            rows.push_back({csKey, std::u16string(1, static_cast<char16_t>(u'1' + i % 9))});
            lsHandles.push_back(bGroup ? std::u16string() : csHandle);
            switch (random() % 4) {
            case 0: break;  // gone
            case 1: veEngine.push_back({bGroup ? u"" : csHandle, csKey, u"42"}); break;
            default: veEngine.push_back({bGroup ? u"" : csHandle, csKey, rows.back()[1]}); break;
            }
        }
        std::shuffle(veEngine.begin() + 1, veEngine.end(), random);
        if (bTotals) {
            rows.push_back({u"", u""});
            rows.push_back({u"", u"0"});
        }
        KvDbTable indexed, reference;
        Fill(indexed, rows);
        Fill(reference, rows);
        Texts lsIndexed = lsHandles, lsReference = lsHandles;
        TableData veEngineCopy = veEngine;
        const bool bIndexed = UpdateTableCells(veEngineCopy, indexed, lsIndexed, bGroup);
        const bool bReference = ReferenceUpdate(veEngine, reference, lsReference, bGroup);
        SCOPED_TRACE(iCase);
        EXPECT_EQ(bIndexed, bReference);
        EXPECT_EQ(Rows(indexed), Rows(reference));
        EXPECT_EQ(lsIndexed, lsReference);
    }
}

}  // namespace
