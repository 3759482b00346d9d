#include <gtest/gtest.h>

#include "support/ScratchDir.h"
#include "export/CsvExport.h"
#include "kv/KvHostVariables.h"

namespace {

void SetVerlan(const std::u16string& csValue)
{
    KvHostVariables::instance().set(u"VERLAN", KvTypedValue(1, csValue));
}

// Id, Name, Length, Layer; a blank line and a totals line at the end.
TableData SampleTable()
{
    return {
        {u"Id", u"Name", u"Length", u"Layer"}, {u"1A", u"Line", u"2.50", u"Walls"},
        {u"1B", u"Arc", u"1234.5", u"Doors"},  {u"", u"", u"", u""},
        {u"", u"Total", u"1237", u""},
    };
}

class CsvExportTest : public ::testing::Test {
protected:
    void SetUp() override { SetVerlan(u"en-US"); }
    ScratchDir m_dir;
};

TEST_F(CsvExportTest, PreviewWritesShownColumnsInScreenOrderWithTheSecondRaw)
{
    // Screen order Length, Name, Layer; rows re-sorted; position 1 (Name) is the raw one.
    ExportCsvFromPreview(SampleTable(), m_dir.WidePath("out.csv"), {true, true, true, true}, {2, 1, 3}, {0, 2, 1, 3, 4},
                         u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("out.csv")),
              "\"Length\",Name,\"Layer\"\r\n"
              "\"1,234.5\",Arc,\"Doors\"\r\n"
              "\"2.5\",Line,\"Walls\"\r\n"
              "\"\",,\"\"\r\n"
              "\"1,237\",Total,\"\"\r\n");
}

TEST_F(CsvExportTest, PreviewSkipsHiddenColumnsButKeepsTheSeparatorRule)
{
    // Layer hidden: nothing for its position, yet Name (not last) keeps its separator.
    // A row list shorter than the table falls back to the table's own order.
    ExportCsvFromPreview(SampleTable(), m_dir.WidePath("out.csv"), {true, true, true, false}, {1, 2, 3}, {0, 2}, u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("out.csv")),
              "\"Name\",Length,\r\n"
              "\"Arc\",1234.5,\r\n"
              "\"Arc\",1234.5,\r\n"
              "\"\",,\r\n"
              "\"Total\",1237,\r\n");
}

TEST_F(CsvExportTest, OnlyTheExactFrenchTagSwitchesLanguage)
{
    for (const std::u16string csVerlan : {u"es-ES", u"fr-fr", u"fr-CA", u""}) {
        SetVerlan(csVerlan);
        ExportCsvFromTable({{u"A", u"B"}, {u"1.5", u"1.5"}}, m_dir.WidePath("x.csv"), u",");
        EXPECT_EQ(ReadBytes(m_dir.Path("x.csv")), "A,\"B\"\r\n1.5,\"1.5\"\r\n") << kvToUtf8(csVerlan);
    }
}

// French: semicolons and French numbers whatever the caller passed; the raw first column
// is written as it is.
TEST_F(CsvExportTest, NumberExamplesComeOutByteForByte)
{
    struct Example {
        std::u16string csCell;
        std::string csEnglish, csFrench;
    };
    const Example examples[] = {
        {u"2.50", "2.5", "2,5"},
        {u"+7", "7", "7"},
        {u"123456", "123,456",
         "123\xA0"
         "456"},
        {u"1234.5", "1,234.5",
         "1\xA0"
         "234,5"},
        {u"1234567", "1.23457e+006", "1,23457e+006"},
        {u"3.14159265", "3.14159", "3,14159"},
        {u"0.00001", "1e-005", "1e-005"},
        {u"-98765.4", "-98,765.4",
         "-98\xA0"
         "765,4"},
        {u"1e3", "1,000",
         "1\xA0"
         "000"},
        {u"2E-120", "2e-120", "2e-120"},
    };
    for (const std::u16string csVerlan : {u"en-US", u"fr-FR"}) {
        SetVerlan(csVerlan);
        const bool bFrench = csVerlan == u"fr-FR";
        for (const Example& example : examples) {
            ExportCsvFromTable({{u"1.5", example.csCell}}, m_dir.WidePath("n.csv"), u",");
            const std::string csExpected = bFrench ? example.csFrench : example.csEnglish;
            EXPECT_EQ(ReadBytes(m_dir.Path("n.csv")), (bFrench ? "1.5;\"" : "1.5,\"") + csExpected + "\"\r\n")
                << kvToUtf8(example.csCell) << (bFrench ? " fr" : " en");
        }
    }
}

TEST_F(CsvExportTest, TextsAreLowBytesWithQuotesDoubledAndRiskyRawFieldsQuoted)
{
    // é is 0xE9, the euro sign 0xAC, U+0122 a quotation mark byte. The raw column is quoted
    // only when it holds the separator, a quotation mark or a line break.
    const TableData table{{u"caf\u00E9", u"5 \u20AC", u"say \"hi\", now"},
                          {u"a,b", u"", u"007"},
                          {u"Green \"Co\", Ltd", u"x;y", u"\u0122"},
                          {u"a;b", u"\"", u"plain"}};
    ExportCsvFromTable(table, m_dir.WidePath("t.csv"), u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("t.csv")),
              "caf\xE9,\"5 \xAC\",\"say \"\"hi\"\", now\"\r\n"
              "\"a,b\",\"\",\"7\"\r\n"
              "\"Green \"\"Co\"\", Ltd\",\"x;y\",\"\"\"\"\r\n"
              "a;b,\"\"\"\",\"plain\"\r\n");
    SetVerlan(u"fr-FR");
    ExportCsvFromTable(table, m_dir.WidePath("t.csv"), u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("t.csv")),
              "caf\xE9;\"5 \xAC\";\"say \"\"hi\"\", now\"\r\n"
              "a,b;\"\";\"7\"\r\n"
              "\"Green \"\"Co\"\", Ltd\";\"x;y\";\"\"\"\"\r\n"
              "\"a;b\";\"\"\"\";\"plain\"\r\n");
}

TEST_F(CsvExportTest, LineFeedsInsideCellsComeOutAsATextModeStreamWritesThem)
{
    // LF becomes CR LF, a CR stays: a CR LF in a text gives CR CR LF. A raw field with a
    // line break is quoted.
    ExportCsvFromPreview({{u"Id", u"A", u"B"}, {u"1", u"two\nlines", u"a\nb\nc"}, {u"2", u"x", u"cr\r\nlf\rcr"}},
                         m_dir.WidePath("l.csv"), {true, true, true}, {2, 1}, {0, 1, 2}, u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("l.csv")),
              "\"B\",A\r\n"
              "\"a\r\nb\r\nc\",\"two\r\nlines\"\r\n"
              "\"cr\r\r\nlf\rcr\",x\r\n");
}

TEST_F(CsvExportTest, HeaderOnlyTableGivesOneLineAndEmptyTableTouchesNothing)
{
    ExportCsvFromPreview({{u"Id", u"Name", u"Layer"}}, m_dir.WidePath("h.csv"), {true, true, true}, {1, 2}, {0}, u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("h.csv")), "\"Name\",Layer\r\n");

    WriteBytes(m_dir.Path("keep.csv"), "old");
    ExportCsvFromPreview({}, m_dir.WidePath("keep.csv"), {}, {}, {}, u",");
    ExportCsvFromTable({}, m_dir.WidePath("keep.csv"), u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("keep.csv")), "old");
}

TEST_F(CsvExportTest, ExistingFileIsReplacedWhole)
{
    WriteBytes(m_dir.Path("o.csv"), std::string(1000, 'x'));
    ExportCsvFromTable({{u"A"}}, m_dir.WidePath("o.csv"), u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("o.csv")), "A\r\n");
    EXPECT_EQ(m_dir.Entries(), std::set<std::string>{"o.csv"});
}

TEST_F(CsvExportTest, UnwritablePathWritesNothingAndSaysWhy)
{
    EXPECT_EQ(ExportCsvFromTable(SampleTable(), m_dir.WidePath("missing/dir/x.csv"), u",").csError,
              "No such file or directory");
    EXPECT_EQ(ExportCsvFromPreview(SampleTable(), m_dir.WidePath("missing/x.csv"), {true, true, true, true}, {1, 2},
                                   {0}, u",")
                  .csError,
              "No such file or directory");
    EXPECT_EQ(ExportCsvFromTable(SampleTable(), u"", u",").csError, "no file name");
    EXPECT_TRUE(m_dir.Entries().empty());
    EXPECT_EQ(ExportCsvFromTable(SampleTable(), m_dir.WidePath("ok.csv"), u",").csError, "");
}

TEST_F(CsvExportTest, FailureMidwayKeepsTheOldFileAndLeavesNoTemporary)
{
    WriteBytes(m_dir.Path("big.csv"), "previous");
    TableData table(1, TableRow{u"head"});
    for (int i = 0; i < 200000; ++i) table.push_back({u"some text of a row"});
    {
        FileSizeLimit limit(64 * 1024);
        EXPECT_EQ(ExportCsvFromTable(table, m_dir.WidePath("big.csv"), u",").csError, "File too large");
    }
    EXPECT_EQ(ReadBytes(m_dir.Path("big.csv")), "previous");
    EXPECT_EQ(m_dir.Entries(), std::set<std::string>{"big.csv"});
}

}  // namespace
