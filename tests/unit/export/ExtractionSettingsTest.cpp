#include <gtest/gtest.h>

#include "support/ScratchDir.h"
#include "export/ExtractionSettings.h"

namespace {

using NameList = std::list<std::u16string>;

class ExtractionSettingsTest : public ::testing::Test {
protected:
    ScratchDir m_dir;
};

TEST_F(ExtractionSettingsTest, ExactDocumentsAndWhatTheyLoad)
{
    const std::string csDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n";
    const struct {
        NameList lsSaved;
        std::string csBytes;
    } cases[] = {
        {{u"Layer", u"Length"},
         "<NyDataExtraction>\r\n"
         "    <Property name=\"Layer\" checked=\"1\" />\r\n"
         "    <Property name=\"Length\" checked=\"1\" />\r\n"
         "</NyDataExtraction>\r\n"},
        // An empty root loads no names.
        {{}, "<NyDataExtraction />\r\n"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SaveExtractionSettings(m_dir.WidePath("s.kvx"), c.lsSaved));
        EXPECT_EQ(ReadBytes(m_dir.Path("s.kvx")), csDeclaration + c.csBytes);
        NameList lsNames{u"kept"};
        EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("s.kvx"), lsNames));
        NameList lsExpected{u"kept"};
        lsExpected.insert(lsExpected.end(), c.lsSaved.begin(), c.lsSaved.end());
        EXPECT_EQ(lsNames, lsExpected);
    }
}

// A name outside Windows-1252 is stored as the replacement character.
TEST_F(ExtractionSettingsTest, MarkupCharactersAndWindows1252NamesRoundTrip)
{
    NameList lsSaved{u"a & b",    u"<tag>", u"say \"x\"", u"it's",  u"Caf\u00E9",
                     u"5 \u20AC", u"",      u"Layer",     u"Layer", u"\u03A9 ohm"};
    ASSERT_TRUE(SaveExtractionSettings(m_dir.WidePath("r.kvx"), lsSaved));
    const std::string csBytes = ReadBytes(m_dir.Path("r.kvx"));
    EXPECT_NE(csBytes.find("a &amp; b"), std::string::npos);
    EXPECT_NE(csBytes.find("&lt;tag&gt;"), std::string::npos);
    EXPECT_NE(csBytes.find("Caf\xE9"), std::string::npos);  // Windows-1252, not UTF-8
    EXPECT_NE(csBytes.find("5 \x80"), std::string::npos);
    EXPECT_NE(csBytes.find("name=\"? ohm\""), std::string::npos);
    NameList lsLoaded;
    EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("r.kvx"), lsLoaded));
    lsSaved.back() = u"? ohm";
    EXPECT_EQ(lsLoaded, lsSaved);
}

TEST_F(ExtractionSettingsTest, LoadingAppendsInFileOrderAndTakesEverySiblingAfterTheFirstProperty)
{
    ASSERT_TRUE(SaveExtractionSettings(m_dir.WidePath("a.kvx"), {u"Layer", u"Color"}));
    WriteBytes(m_dir.Path("b.kvx"),
               "<?xml version=\"1.0\" ?>\n<Other><Property name=\"no\" /></Other>\n"
               "<NyDataExtraction><Note name=\"before\"/><Property name=\"Color\"/>"
               "<Something name=\"Area\" checked=\"0\"/><Property/></NyDataExtraction>");
    NameList lsNames;
    EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("a.kvx"), lsNames));
    EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("b.kvx"), lsNames));
    EXPECT_EQ(lsNames, (NameList{u"Layer", u"Color", u"Color", u"Area", u""}));
}

std::string Repeat(const std::string& csPiece, std::size_t n)
{
    std::string csOut;
    csOut.reserve(csPiece.size() * n);
    for (std::size_t i = 0; i < n; ++i) csOut += csPiece;
    return csOut;
}

TEST_F(ExtractionSettingsTest, MissingDamagedOrHostileFilesLeaveTheNamesAloneAndSayWhy)
{
    std::string csAttributes = "<NyDataExtraction><Property";
    for (int i = 0; i < 50000; ++i) csAttributes += " a" + std::to_string(i) + "=\"\"";
    csAttributes += "/></NyDataExtraction>";
    const struct {
        const char* csFile;
        std::string csBytes;  // none: the file does not exist
        std::u16string csWhy;
    } cases[] = {
        {"absent.kvx", {}, u"No such file or directory"},
        {"damaged.kvx", "<NyDataExtraction><Property name=\"Layer\" />\n<Property name=\"Len",
         u"it is not well-formed XML (line 2, column 11)"},
        {"empty.kvx", " \r\n", u"it is empty"},
        // The parser would recurse 100,000 levels deep, or compare 50,000 attributes with
        // each other: refused before it runs.
        {"deep.kvx", Repeat("<a>", 100000) + Repeat("</a>", 100000),
         u"its elements are nested more than 32 levels deep"},
        {"unclosed.kvx", Repeat("<a>", 300000), u"its elements are nested more than 32 levels deep"},
        {"attributes.kvx", csAttributes, u"an element has more than 32 attributes"},
        {"large.kvx", "<NyDataExtraction>" + Repeat("<Property name=\"Layer\"/>", 50000) + "</NyDataExtraction>",
         u"it is larger than 1 MB, which no settings file is"},
    };
    for (const auto& c : cases) {
        if (c.csFile != std::string("absent.kvx")) WriteBytes(m_dir.Path(c.csFile), c.csBytes);
        NameList lsNames{u"before"};
        SettingsFileProblem problem;
        EXPECT_FALSE(LoadExtractionSettings(m_dir.WidePath(c.csFile), lsNames, &problem)) << c.csFile;
        EXPECT_EQ(lsNames, NameList{u"before"}) << c.csFile;
        EXPECT_EQ(SettingsNotReadLine(u"x.kvx", problem),
                  u"\nThe settings file x.kvx was not read: " + c.csWhy + u". No property is preselected from it.")
            << c.csFile;
    }
}

TEST_F(ExtractionSettingsTest, CommentsQuotedValuesAndDeclarationsDoNotCountAsNesting)
{
    // Markup inside comments, CDATA and quoted values is no element; 32 levels are allowed.
    const std::string csBytes = "<?xml version=\"1.0\" ?>\r\n<!-- " + Repeat("<a>", 100) +
                                " -->\r\n<NyDataExtraction>" + Repeat("<b x='>' y=\"<c>\">", 30) + Repeat("</b>", 30) +
                                "<![CDATA[" + Repeat("<d>", 100) + "]]><Property name=\"Area\"/></NyDataExtraction>";
    NameList lsNames;
    SettingsFileProblem problem;
    EXPECT_TRUE(ReadExtractionSettings(csBytes, lsNames, &problem));
    EXPECT_EQ(lsNames, NameList{u"Area"});
    EXPECT_EQ(SettingsNotReadLine(u"s.kvx", problem), u"");

    // Well-formed XML that is no settings file reads, adds nothing and says so.
    EXPECT_TRUE(ReadExtractionSettings("<Other><Property name=\"A\"/></Other>", lsNames, &problem));
    EXPECT_EQ(lsNames, NameList{u"Area"});
    EXPECT_EQ(SettingsNotReadLine(u"o.kvx", problem),
              u"\nThe settings file o.kvx was not read: it holds no NyDataExtraction element. No property is "
              u"preselected from it.");
}

TEST_F(ExtractionSettingsTest, FailedSaveSaysWhyAndLeavesNothingBehind)
{
    std::string csError;
    EXPECT_FALSE(SaveExtractionSettings(m_dir.WidePath("no/such/dir/s.kvx"), {u"Layer"}, &csError));
    EXPECT_EQ(csError, "No such file or directory");
    EXPECT_FALSE(SaveExtractionSettings(u"", {u"Layer"}));
    EXPECT_TRUE(m_dir.Entries().empty());
}

}  // namespace
