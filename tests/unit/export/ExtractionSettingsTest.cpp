#include <gtest/gtest.h>

#include "support/ScratchDir.h"
#include "export/ExtractionSettings.h"

namespace {

using NameList = std::list<std::u16string>;

class ExtractionSettingsTest : public ::testing::Test {
protected:
    ScratchDir m_dir;
};

TEST_F(ExtractionSettingsTest, TwoNamesGiveTheExactDocument)
{
    ASSERT_TRUE(SaveExtractionSettings(m_dir.WidePath("s.kvx"), {u"Layer", u"Length"}));
    EXPECT_EQ(ReadBytes(m_dir.Path("s.kvx")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n"
              "<NyDataExtraction>\r\n"
              "    <Property name=\"Layer\" checked=\"1\" />\r\n"
              "    <Property name=\"Length\" checked=\"1\" />\r\n"
              "</NyDataExtraction>\r\n");
    NameList lsNames;
    EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("s.kvx"), lsNames));
    EXPECT_EQ(lsNames, (NameList{u"Layer", u"Length"}));
}

TEST_F(ExtractionSettingsTest, EmptySelectionGivesAnEmptyRootAndLoadsNoNames)
{
    ASSERT_TRUE(SaveExtractionSettings(m_dir.WidePath("e.kvx"), {}));
    EXPECT_EQ(ReadBytes(m_dir.Path("e.kvx")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n"
              "<NyDataExtraction />\r\n");
    NameList lsNames{u"kept"};
    EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("e.kvx"), lsNames));
    EXPECT_EQ(lsNames, NameList{u"kept"});
}

TEST_F(ExtractionSettingsTest, MarkupCharactersAndWindows1252NamesRoundTrip)
{
    const NameList lsSaved{u"a & b",    u"<tag>", u"say \"x\"", u"it's", u"Caf\u00E9",
                           u"5 \u20AC", u"",      u"Layer",     u"Layer"};
    ASSERT_TRUE(SaveExtractionSettings(m_dir.WidePath("r.kvx"), lsSaved));
    const std::string csBytes = ReadBytes(m_dir.Path("r.kvx"));
    EXPECT_NE(csBytes.find("a &amp; b"), std::string::npos);
    EXPECT_NE(csBytes.find("&lt;tag&gt;"), std::string::npos);
    EXPECT_NE(csBytes.find("Caf\xE9"), std::string::npos);  // Windows-1252, not UTF-8
    EXPECT_NE(csBytes.find("5 \x80"), std::string::npos);
    NameList lsLoaded;
    EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("r.kvx"), lsLoaded));
    EXPECT_EQ(lsLoaded, lsSaved);
}

TEST_F(ExtractionSettingsTest, NameOutsideWindows1252IsStoredAsTheReplacementCharacter)
{
    ASSERT_TRUE(SaveExtractionSettings(m_dir.WidePath("g.kvx"), {u"\u03A9 ohm"}));
    EXPECT_NE(ReadBytes(m_dir.Path("g.kvx")).find("name=\"? ohm\""), std::string::npos);
    NameList lsNames;
    EXPECT_TRUE(LoadExtractionSettings(m_dir.WidePath("g.kvx"), lsNames));
    EXPECT_EQ(lsNames, NameList{u"? ohm"});
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

TEST_F(ExtractionSettingsTest, MissingOrDamagedFileLeavesTheNamesAlone)
{
    WriteBytes(m_dir.Path("damaged.kvx"), "<NyDataExtraction><Property name=\"Layer\" /><Property name=\"Len");
    WriteBytes(m_dir.Path("empty.kvx"), "");
    for (const char* csFile : {"absent.kvx", "damaged.kvx", "empty.kvx"}) {
        NameList lsNames{u"before"};
        EXPECT_FALSE(LoadExtractionSettings(m_dir.WidePath(csFile), lsNames)) << csFile;
        EXPECT_EQ(lsNames, NameList{u"before"}) << csFile;
    }
}

TEST_F(ExtractionSettingsTest, FailedSaveLeavesNothingBehindAndKeepsTheOldFile)
{
    EXPECT_FALSE(SaveExtractionSettings(m_dir.WidePath("no/such/dir/s.kvx"), {u"Layer"}));
    EXPECT_FALSE(SaveExtractionSettings(u"", {u"Layer"}));
    EXPECT_TRUE(m_dir.Entries().empty());

    WriteBytes(m_dir.Path("s.kvx"), "old");
    NameList lsMany(5000, u"A property name long enough to fill the disk");
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(SaveExtractionSettings(m_dir.WidePath("s.kvx"), lsMany));
    }
    EXPECT_EQ(ReadBytes(m_dir.Path("s.kvx")), "old");
    EXPECT_EQ(m_dir.Entries(), std::set<std::string>{"s.kvx"});
}

}  // namespace
