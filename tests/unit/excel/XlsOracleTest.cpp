// Workbooks checked by readers written elsewhere (see tests/oracles/check_xls.py).
#include <gtest/gtest.h>

#include "ExcelFormat/BasicExcel.h"
#include "ExcelFormat/XlsExport.h"
#include "XlsOracle.h"
#include "kv/KvHostVariables.h"
#include "support/ScratchDir.h"

namespace {

void SetVerlan(const std::u16string& csValue)
{
    KvHostVariables::instance().set(u"VERLAN", KvTypedValue(1, csValue));
}

// Texts, with every header cell bold but those of the columns given.
ExpectedSheet TextSheet(const TableData& rows, std::set<int> seRegularHeaderColumns = {})
{
    ExpectedSheet sheet;
    for (const TableRow& row : rows) sheet.rows.emplace_back(row.begin(), row.end());
    for (std::size_t c = 0; !rows.empty() && c < rows[0].size(); ++c)
        if (!seRegularHeaderColumns.count(static_cast<int>(c))) sheet.boldCells.insert({0, static_cast<int>(c)});
    return sheet;
}

class XlsOracleTest : public ::testing::Test {
protected:
    void SetUp() override { SetVerlan(u"en-US"); }
    void ExpectReadersSee(const std::string& csFile, const std::vector<ExpectedSheet>& veSheets, bool bSsconvert = true)
    {
        const OracleResult result = CheckXls(m_dir.Path(csFile), veSheets, bSsconvert);
        EXPECT_EQ(result.nStatus, 0) << result.csOutput;
    }
    ScratchDir m_dir;
};

TEST_F(XlsOracleTest, OneCellReplacingAnOldFile)
{
    WriteBytes(m_dir.Path("one.xls"), std::string(100000, 'j'));
    ExportXlsFromTable({{u"Id"}}, m_dir.WidePath("one.xls"));
    ExpectReadersSee("one.xls", {TextSheet({{u"Id"}})});
}

TEST_F(XlsOracleTest, TwoRowBlocksRepeatedTextsAndBlanks)
{
    // 33 rows, the same text again and again, empty cells in the header and the body.
    TableData table{{u"Name", u"", u"Layer"}};
    for (int i = 1; i < 33; ++i) table.push_back({u"Wall", i % 3 ? u"0" : u"", i % 5 ? u"Walls" : u"Doors"});
    ExportXlsFromTable(table, m_dir.WidePath("blocks.xls"));
    ExpectReadersSee("blocks.xls", {TextSheet(table)});
}

TEST_F(XlsOracleTest, PreviewOrderHiddenColumnsAndFrenchDecimalMarks)
{
    const TableData table{
        {u"Id", u"Name", u"Length", u"Code", u"Hidden"},
        {u"1A", u"Line", u"12.5", u"007", u"h1"},
        {u"1B", u"Arc", u"-3.25", u"1e3", u"h2"},
        {u"1C", u"v1.2", u"1.5E-3", u".5", u"h3"},
    };
    // Screen order Length, Hidden, Name, Code; Hidden is unticked and leaves its worksheet
    // column empty, header included; rows re-sorted.
    const HeaderOrder veColumns{2, 4, 1, 3};
    const ColumnIncludeFlags veFlags{true, true, true, true, false};
    const RowOrder veRows{0, 3, 1, 2};

    // Numbers get the language's decimal mark; other texts stay as they are.
    for (const auto& [csVerlan, csMark] : {std::pair{u"fr-FR", u","}, std::pair{u"es-ES", u"."}}) {
        SetVerlan(csVerlan);
        ExportXlsFromPreview(table, m_dir.WidePath("out.xls"), veFlags, veColumns, veRows);
        const std::u16string m(csMark);
        ExpectReadersSee("out.xls", {TextSheet({{u"Length", u"", u"Name", u"Code"},
                                                {u"1" + m + u"5E-3", u"", u"v1.2", u".5"},
                                                {u"12" + m + u"5", u"", u"Line", u"007"},
                                                {u"-3" + m + u"25", u"", u"Arc", u"1e3"}},
                                               {1})});
    }
}

TEST_F(XlsOracleTest, NonLatinLongAndManyDistinctTexts)
{
    TableData table{{u"\u540D\u524D", u"\u0394\u03AD\u03BB\u03C4\u03B1", u"emoji \U0001F600", u"caf\u00E9 \u20AC"}};
    table.push_back({std::u16string(20000, u'\u0416'), u"after the long one", u"", u"x"});
    for (int i = 0; i < 3000; ++i) {
        const std::u16string csNumber = kvFromUtf8(std::to_string(i));
        table.push_back({u"item " + csNumber,
                         u"\u03C3\u03B5\u03B9\u03C1\u03AC " + csNumber + std::u16string(i % 29, u'z'),
                         std::u16string(1, static_cast<char16_t>(0x4E00 + i)), csNumber + u".5"});
    }
    ExportXlsFromTable(table, m_dir.WidePath("texts.xls"));
    ExpectReadersSee("texts.xls", {TextSheet(table)});
}

TEST_F(XlsOracleTest, NumbersFormulasAndNarrowTextsOfTheRecordModel)
{
    BasicExcel xls;
    xls.CreateNew(2);
    SheetModel& sheet = *xls.SheetAt(0);
    sheet.CellAt(0, 0)->SetInteger(42);
    sheet.CellAt(0, 1)->SetInteger(-7);       // with the one before: MULRK
    sheet.CellAt(0, 2)->SetInteger(1 << 30);  // too big for an RK integer
    sheet.CellAt(0, 3)->SetDouble(1.25);
    sheet.CellAt(0, 4)->SetDouble(0.07);                                  // RK divided by 100
    sheet.CellAt(0, 5)->SetDouble(3.14159265358979);                      // NUMBER
    sheet.CellAt(1, 0)->SetFormula({0x1E, 1, 0, 0x1E, 2, 0, 0x03}, 3.0);  // =1+2
    sheet.CellAt(1, 1)->SetText(std::string("narrow text"));
    sheet.CellAt(1, 2)->SetText(std::string(9000, 'n'));
    sheet.CellAt(1, 3)->SetText(u"wide text");
    xls.SheetAt(1)->CellAt(2, 1)->SetText(u"on the second sheet");
    ASSERT_TRUE(xls.SaveToFile(m_dir.WidePath("kinds.xls")));

    ExpectedSheet first;
    first.rows = {{42.0, -7.0, double(1 << 30), 1.25, 0.07, 3.14159265358979},
                  {3.0, u"narrow text", std::u16string(9000, u'n'), u"wide text", u"", u""}};
    ExpectedSheet second;
    second.csName = "Sheet2";
    second.rows = {{u"", u""}, {u"", u""}, {u"", u"on the second sheet"}};
    ExpectReadersSee("kinds.xls", {first, second});
}

TEST_F(XlsOracleTest, FullSheetWithAddressesBeyondTheLimitsSkipped)
{
    TableData table;
    for (int r = 0; r < 65540; ++r) {
        TableRow row;
        const std::u16string csRow = kvFromUtf8(std::to_string(r));
        for (int c = 0; c < 10; ++c) row.push_back(c % 3 == 0 ? u"r" + csRow : c % 3 == 1 ? u"same" : csRow + u".25");
        table.push_back(std::move(row));
    }
    ExportXlsFromTable(table, m_dir.WidePath("full.xls"));
    table.resize(65536);
    ExpectReadersSee("full.xls", {TextSheet(table)});

    TableData wide(2, TableRow(300, u"w"));
    ExportXlsFromTable(wide, m_dir.WidePath("wide.xls"));
    for (TableRow& row : wide) row.resize(256);
    ExpectReadersSee("wide.xls", {TextSheet(wide)}, false);
}

}  // namespace
