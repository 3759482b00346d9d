#include <gtest/gtest.h>

#include <cmath>

#include "ReductionReference.h"
#include "table/NumberText.h"

// The random comparison below covers texts made of digits, signs, points, exponents and
// spaces; these are the texts outside its alphabet.
TEST(NumberText, ReadsTheLeadingDecimalNumberOnly)
{
    EXPECT_EQ(ReadNumberText(u"12.5 m"), 12.5);
    EXPECT_EQ(ReadNumberText(u"abc"), 0.0);
    EXPECT_EQ(ReadNumberText(u"inf"), 0.0);
    EXPECT_EQ(ReadNumberText(u"\u00a05"), 0.0);  // no-break space is not white space here
}

TEST(NumberText, OutOfRangeExponentsSaturateLikeTheCLibrary)
{
    EXPECT_EQ(ReadNumberText(u"1e400"), HUGE_VAL);
    EXPECT_EQ(ReadNumberText(u"-1e400"), -HUGE_VAL);
    EXPECT_EQ(ReadNumberText(u"1e-400"), 0.0);
}

TEST(NumberText, FormatsLikePrintf)
{
    for (double value : {0.0, 1.0, -2.5, 1234567.0, 999999.0, 999999.5, 0.0001, 0.00001234, 1e300, 123.456789, -0.0})
        EXPECT_EQ(FormatNumberText(value), reference::FormatG(value)) << value;
    EXPECT_EQ(FormatNumberText(1234567.0), u"1.23457e+06");
    EXPECT_EQ(FormatCountText(0), u"0");
    EXPECT_EQ(FormatCountText(1234567), u"1234567");
}

TEST(NumberText, AgreesWithTheCLibraryOnRandomTexts)
{
    const std::u16string alphabet = u"0123456789.eE+- \tx,";
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 20000; ++i) {
        std::u16string text;
        const std::size_t length = next() >> 29;
        for (std::size_t k = 0; k < length; ++k) text.push_back(alphabet[(next() >> 16) % alphabet.size()]);
        EXPECT_EQ(ReadNumberText(text), reference::ReadNumber(text)) << std::string(text.begin(), text.end());
    }
}
