#include "kv/KvString.h"

#include <gtest/gtest.h>

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
