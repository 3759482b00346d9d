#include "KvTestDrawing.h"

TEST(Resbuf, BuildListTakesEachValueKindAndEndsAtZero)
{
    const double pt[3] = {1, 2, 3};
    resbuf* pList = kvutBuildList(RTDXF0, u"LINE", 8, u"Walls", 62, 3, 40, 2.5, 10, pt, 90, std::int32_t{70000}, 0);
    const KvTypedValueList values = kvRbToTypedValues(pList);
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[0], KvTypedValue(0, std::u16string(u"LINE")));
    EXPECT_EQ(values[1], KvTypedValue(8, std::u16string(u"Walls")));
    EXPECT_EQ(values[2], KvTypedValue(62, std::int64_t{3}));
    EXPECT_EQ(values[3], KvTypedValue(40, 2.5));
    EXPECT_EQ(values[4], KvTypedValue(10, KvGePoint3d(1, 2, 3)));
    EXPECT_EQ(values[5], KvTypedValue(90, std::int64_t{70000}));

    // A deep copy owns its own strings: releasing the original leaves it intact.
    resbuf* pCopy = kvutDupRb(pList);
    kvutRelRb(pList);
    EXPECT_EQ(kvRbToTypedValues(pCopy), values);
    kvutRelRb(pCopy);
    EXPECT_EQ(kvutBuildList(0), nullptr);
}

TEST(Resbuf, BinaryAndTextRoundTripThroughTypedValues)
{
    const KvTypedValueList values = {KvTypedValue(1001, std::u16string(u"APP")),
                                     KvTypedValue(1004, std::vector<std::uint8_t>{1, 2, 255}),
                                     KvTypedValue(1000, std::u16string(u"\u00E9t\u00E9")), KvTypedValue(1040, 0.125)};
    resbuf* pChain = kvTypedValuesToRb(values);
    resbuf* pCopy = kvutDupRb(pChain);
    kvutRelRb(pChain);
    EXPECT_EQ(kvRbToTypedValues(pCopy), values);
    kvutRelRb(pCopy);
}

TEST(Console, PrintfFormatsWideTextAndNumbersAndRecordsIt)
{
    KvConsole& console = KvConsole::instance();
    console.setEcho(false);
    console.clearRecorded();
    kvutPrintf(u"%s", u"\nCSV export done to : /tmp/100% \u00E9t\u00E9.csv");
    kvutPrintf(u"\n%d rows, %i cols, %ld, %u, %x, %g, %.2f, 50%%, %5s|%-3s|", 3, -4, 123456789012L, 7u, 255u, 0.1,
               2.345, u"ab", u"c");
    EXPECT_EQ(console.recorded(),
              u"\nCSV export done to : /tmp/100% \u00E9t\u00E9.csv\n3 rows, -4 cols, 123456789012, 7, ff, 0.1, 2.35, "
              u"50%,    ab|c  |");
}

TEST(Strings, Utf8RoundTripsAllPlanesAndReplacesMalformedBytes)
{
    const std::u16string text = u"Caf\u00E9 \u20AC \U0001F600";
    EXPECT_EQ(kvToUtf8(text), "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(kvFromUtf8(kvToUtf8(text)), text);
    EXPECT_EQ(kvFromUtf8("a\xC3"), u"a\uFFFD");    // cut short
    EXPECT_EQ(kvFromUtf8("\xC0\xAF"), u"\uFFFD");  // overlong
    EXPECT_EQ(kvFromUtf8("\xFF"
                         "b"),
              u"\uFFFDb");
}

TEST(Strings, Windows1252BothWaysWithLossReported)
{
    bool bLossy = true;
    EXPECT_EQ(kvToCp1252(u"Caf\u00E9 \u20AC \u2019", &bLossy), "Caf\xE9 \x80 \x92");
    EXPECT_FALSE(bLossy);
    EXPECT_EQ(kvFromCp1252("Caf\xE9 \x80 \x92 \x81"), u"Caf\u00E9 \u20AC \u2019 \u0081");
    EXPECT_EQ(kvToCp1252(u"\u4E2D \U0001F600", &bLossy), "? ?");
    EXPECT_TRUE(bLossy);
}
