#include <gtest/gtest.h>

#include "ExcelFormat/BasicExcel.h"
#include "ExcelFormat/XlsExport.h"
#include "support/ScratchDir.h"

namespace {

TableData BigTable()
{
    TableData table;
    for (int r = 0; r < 3000; ++r) table.push_back({u"a text " + kvFromUtf8(std::to_string(r)), u"b", u"c"});
    return table;
}

TEST(XlsSaveFailureTest, PathsThatCannotBeWrittenAndEmptyTablesGiveNoFile)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir.Path("folder"));
    BasicExcel xls;
    xls.CreateNew(1);
    xls.SheetAt(0)->CellAt(0, 0)->SetText(u"x");
    EXPECT_FALSE(xls.SaveToFile(dir.WidePath("missing/out.xls")));
    EXPECT_EQ(xls.SaveError(), "No such file or directory");
    EXPECT_FALSE(xls.SaveToFile(dir.WidePath("folder")));
    EXPECT_FALSE(xls.SaveToFile(u""));
    EXPECT_EQ(xls.SaveError(), "no file name");
    EXPECT_EQ(ExportXlsFromTable(BigTable(), dir.WidePath("missing/out.xls")).csError, "No such file or directory");
    EXPECT_EQ(ExportXlsFromPreview(BigTable(), dir.WidePath("folder"), {true, true, true}, {1, 2}, {0}).csError,
              "Is a directory");
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"folder"});
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("folder")));
    // The model is kept: the same workbook still saves.
    EXPECT_TRUE(xls.SaveToFile(dir.WidePath("ok.xls")));

    WriteBytes(dir.Path("keep.xls"), "old");
    ExportXlsFromTable({}, dir.WidePath("keep.xls"));
    ExportXlsFromPreview({}, dir.WidePath("keep.xls"), {}, {}, {});
    EXPECT_EQ(ReadBytes(dir.Path("keep.xls")), "old");
}

// What the workbook cannot hold is counted for the user: rows past 65,536, columns past 256
// (hidden columns keep their place), characters past 32,767 in a cell (a surrogate pair is
// not split).
TEST(XlsSaveFailureTest, WhatTheLimitsLeaveOutIsCounted)
{
    ScratchDir dir;
    TableData wide(2, TableRow(260, u"c"));
    wide[1][5] = std::u16string(40000, u'x');
    wide[1][6] = std::u16string(32766, u'y') + u"\U0001F600z";
    ExportOutcome outcome = ExportXlsFromTable(wide, dir.WidePath("wide.xls"));
    EXPECT_EQ(outcome.csError, "");
    EXPECT_EQ(outcome.nRowsLeftOut, 0u);
    EXPECT_EQ(outcome.nColumnsLeftOut, 4u);
    EXPECT_EQ(outcome.nCharactersLeftOut, 40000u - 32767u + 3u);

    TableData tall(65540, TableRow{u"Id", u"r"});
    HeaderOrder veColumns{1, 1, 1};
    outcome = ExportXlsFromPreview(tall, dir.WidePath("tall.xls"), {true, true}, veColumns, {});
    EXPECT_EQ(outcome.nRowsLeftOut, 4u);
    EXPECT_EQ(outcome.nColumnsLeftOut, 0u);
    EXPECT_EQ(ExportOutcomeLine(outcome, u"tall.xls"),
              u"\nLeft out by the workbook's limits (65,536 rows, 256 columns, 32,767 characters a cell): 4 rows.");
    outcome.nColumnsLeftOut = 1;
    outcome.nCharactersLeftOut = 12;
    EXPECT_EQ(
        ExportOutcomeLine(outcome, u"tall.xls"),
        u"\nLeft out by the workbook's limits (65,536 rows, 256 columns, 32,767 characters a cell): 4 rows, 1 column, 12 characters.");
    outcome.csError = "No space left on device";
    EXPECT_EQ(ExportOutcomeLine(outcome, u"/d/t.xls"),
              u"\nThe file /d/t.xls was not written: No space left on device.");
    EXPECT_EQ(ExportOutcomeLine(ExportOutcome(), u"t.xls"), u"");
}

}  // namespace
