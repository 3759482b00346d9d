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

TEST(XlsSaveFailureTest, PathsThatCannotBeWrittenGiveFalseAndNoFile)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir.Path("folder"));
    BasicExcel xls;
    xls.CreateNew(1);
    xls.SheetAt(0)->CellAt(0, 0)->SetText(u"x");
    EXPECT_FALSE(xls.SaveToFile(dir.WidePath("missing/out.xls")));
    EXPECT_FALSE(xls.SaveToFile(dir.WidePath("folder")));
    EXPECT_FALSE(xls.SaveToFile(u""));
    ExportXlsFromTable(BigTable(), dir.WidePath("missing/out.xls"));
    ExportXlsFromPreview(BigTable(), dir.WidePath("folder"), {true, true, true}, {1, 2}, {0});
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"folder"});
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("folder")));
    // The model is kept: the same workbook still saves.
    EXPECT_TRUE(xls.SaveToFile(dir.WidePath("ok.xls")));
}

TEST(XlsSaveFailureTest, FullDiskKeepsTheOldFileAndLeavesNoTemporary)
{
    ScratchDir dir;
    WriteBytes(dir.Path("out.xls"), "previous");
    BasicExcel xls;
    xls.CreateNew(1);
    for (std::size_t r = 0; r < 3000; ++r)
        xls.SheetAt(0)->CellAt(r, 0)->SetText(u"row " + kvFromUtf8(std::to_string(r)));
    {
        FileSizeLimit limit(16 * 1024);
        EXPECT_FALSE(xls.SaveToFile(dir.WidePath("out.xls")));
        ExportXlsFromTable(BigTable(), dir.WidePath("out.xls"));
    }
    EXPECT_EQ(ReadBytes(dir.Path("out.xls")), "previous");
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"out.xls"});
}

TEST(XlsSaveFailureTest, EmptyTableWritesNothing)
{
    ScratchDir dir;
    WriteBytes(dir.Path("keep.xls"), "old");
    ExportXlsFromTable({}, dir.WidePath("keep.xls"));
    ExportXlsFromPreview({}, dir.WidePath("keep.xls"), {}, {}, {});
    EXPECT_EQ(ReadBytes(dir.Path("keep.xls")), "old");
}

}  // namespace
