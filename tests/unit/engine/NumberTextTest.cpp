#include <gtest/gtest.h>

#include "engine/NumberText.h"

namespace {

TEST(NumberTextTest, StepFollowsLinearPrecision)
{
    const double expected[] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7};
    for (int n = 0; n <= 7; ++n) EXPECT_DOUBLE_EQ(StepFromPrecision(n), expected[n]) << n;
    for (int n : {8, 9, -1, 32767}) EXPECT_DOUBLE_EQ(StepFromPrecision(n), 1e-8) << n;
}

TEST(NumberTextTest, HalvesRoundUpTowardsPositiveInfinity)
{
    EXPECT_EQ(RoundToStep(1.0, -2.51), -3.0);
    EXPECT_EQ(RoundToStep(1.0, 0.5), 1.0);
    EXPECT_EQ(RoundToStep(1.0, -0.5), 0.0);
    // An engine never read from a drawing has no step: values stay as they are.
    EXPECT_EQ(RoundToStep(0.0, 1.23456789), 1.23456789);
}

TEST(NumberTextTest, NumericTextIsDigitsWithOptionalSignFractionAndExponent)
{
    for (const char16_t* text : {u"7", u"-7", u"+7", u"12.50", u"1.5e3", u"1E-3", u"1e+2", u"007", u"0.0"})
        EXPECT_TRUE(IsNumericText(text)) << std::string(text, text + std::char_traits<char16_t>::length(text));
    for (const char16_t* text : {u"", u"1.", u".5", u"1,5", u" 1", u"1 ", u"12.5 m", u"1e", u"1e+", u"+", u"-",
                                 u"1.5.2", u"1,000", u"0x10", u"inf", u"nan", u"e5", u"\u0661"})
        EXPECT_FALSE(IsNumericText(text)) << std::string(text, text + std::char_traits<char16_t>::length(text));
}

TEST(NumberTextTest, NumericTextIsRoundedAndRewritten)
{
    EXPECT_EQ(RoundNumericText(0.01, u"-3.14159"), u"-3.14");
    EXPECT_EQ(RoundNumericText(1.0, u"2.5"), u"3");
    EXPECT_EQ(RoundNumericText(1e-8, u"1234567.891"), u"1.23457e+06");
    // Only the leading number counts; none reads as 0.
    EXPECT_EQ(RoundNumericText(0.01, u"4.567 m"), u"4.57");
    EXPECT_EQ(RoundNumericText(0.01, u"abc"), u"0");
}

}  // namespace
