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
    const struct {
        const char* what;
        ColumnIncludeFlags flags;
        HeaderOrder columns;
        RowOrder rows;
        std::string csExpected;
    } cases[] = {
        // Screen order Length, Name, Layer; rows re-sorted; position 1 (Name) is the raw one.
        {"all shown",
         {true, true, true, true},
         {2, 1, 3},
         {0, 2, 1, 3, 4},
         "\"Length\",Name,\"Layer\"\r\n\"1,234.5\",Arc,\"Doors\"\r\n\"2.5\",Line,\"Walls\"\r\n"
         "\"\",,\"\"\r\n\"1,237\",Total,\"\"\r\n"},
        // Layer hidden: nothing for its position, yet Name (not last) keeps its separator.
        // A row list shorter than the table falls back to the table's own order.
        {"Layer hidden",
         {true, true, true, false},
         {1, 2, 3},
         {0, 2},
         "\"Name\",Length,\r\n\"Arc\",1234.5,\r\n\"Arc\",1234.5,\r\n\"\",,\r\n\"Total\",1237,\r\n"},
    };
    for (const auto& c : cases) {
        ExportCsvFromPreview(SampleTable(), m_dir.WidePath("out.csv"), c.flags, c.columns, c.rows, u",");
        EXPECT_EQ(ReadBytes(m_dir.Path("out.csv")), c.csExpected) << c.what;
    }
}

// French (the exact tag fr-FR only): semicolons and French numbers whatever the caller
// passed; the raw first column is written as it is.
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
    for (const std::u16string csVerlan : {u"en-US", u"es-ES", u"fr-fr", u"fr-CA", u"", u"fr-FR"}) {
        SetVerlan(csVerlan);
        const bool bFrench = csVerlan == u"fr-FR";
        for (const Example& example : examples) {
            ExportCsvFromTable({{u"1.5", example.csCell}}, m_dir.WidePath("n.csv"), u",");
            const std::string csExpected = bFrench ? example.csFrench : example.csEnglish;
            EXPECT_EQ(ReadBytes(m_dir.Path("n.csv")), (bFrench ? "1.5;\"" : "1.5,\"") + csExpected + "\"\r\n")
                << kvToUtf8(example.csCell) << " in " << kvToUtf8(csVerlan);
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

TEST_F(CsvExportTest, HeaderOnlyTableReplacesAnOldFileWholeAndEmptyTableTouchesNothing)
{
    WriteBytes(m_dir.Path("h.csv"), std::string(1000, 'x'));
    ExportCsvFromPreview({{u"Id", u"Name", u"Layer"}}, m_dir.WidePath("h.csv"), {true, true, true}, {1, 2}, {0}, u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("h.csv")), "\"Name\",Layer\r\n");

    WriteBytes(m_dir.Path("keep.csv"), "old");
    ExportCsvFromPreview({}, m_dir.WidePath("keep.csv"), {}, {}, {}, u",");
    ExportCsvFromTable({}, m_dir.WidePath("keep.csv"), u",");
    EXPECT_EQ(ReadBytes(m_dir.Path("keep.csv")), "old");
    EXPECT_EQ(m_dir.Entries(), (std::set<std::string>{"h.csv", "keep.csv"}));
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

}  // namespace
