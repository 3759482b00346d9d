#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/NumberText.h"
#include "support/NumberReference.h"

namespace {

TEST(NumberTextTest, PrecisionsOutsideZeroToSevenRoundToTheFinestStep)
{
    for (int n : {8, 9, -1, 32767}) EXPECT_DOUBLE_EQ(StepFromPrecision(n), 1e-8) << n;
    EXPECT_DOUBLE_EQ(RoundToStep(StepFromPrecision(2), 3.14159), 3.14);
    EXPECT_DOUBLE_EQ(RoundToStep(StepFromPrecision(0), 2.5), 3.0);
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

// Plain decimals of up to six digits skip the conversions: the texts must be what rounding
// and writing them gives at every step a drawing can have.
TEST(NumberTextTest, PlainDecimalsRoundToThemselvesAtEveryStep)
{
    std::vector<double> steps{0.0};
    for (int n = 0; n <= 8; ++n) steps.push_back(StepFromPrecision(n));
    std::uint32_t seed = 7;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 30000; ++i) {
        const std::uint32_t value = i < 10000 ? static_cast<std::uint32_t>(i) : (next() >> 8) % 1000000;
        const std::string digits = std::to_string(value);
        // The whole number, and the same digits with a point before any of them but the first.
        std::string withPoint = digits;
        if (digits.size() > 1) withPoint.insert(1 + next() % (digits.size() - 1), ".");
        for (const std::string& number : {digits, withPoint}) {
            const std::u16string text(number.begin(), number.end());
            for (double step : steps) {
                const std::u16string expected = FormatNumber(RoundToStep(step, ReadNumberText(text)));
                ASSERT_EQ(RoundNumericText(step, text), expected) << number << " at " << step;
                std::u16string inPlace = text;
                RoundNumericTextInPlace(step, inPlace);
                ASSERT_EQ(inPlace, expected) << number << " at " << step;
            }
        }
    }
    EXPECT_EQ(RoundNumericText(0.01, u"2999.99"), u"2999.99");
    EXPECT_EQ(RoundNumericText(0.1, u"2999.99"), u"3000");
    EXPECT_EQ(RoundNumericText(0.01, u"12.50"), u"12.5");
    EXPECT_EQ(RoundNumericText(0.01, u"1234.56"), u"1234.56");
    EXPECT_EQ(RoundNumericText(0.0, u"12345.67"), u"12345.7");
    EXPECT_EQ(RoundNumericText(1.0, u"007"), u"7");
    EXPECT_EQ(RoundNumericText(0.3, u"4"), u"3.9");
    EXPECT_EQ(RoundNumericText(1e-4, u"1234567"), u"1.23457e+06");
}

// The random comparison below covers texts made of digits, signs, points, exponents and
// spaces; these are the texts outside its alphabet.
TEST(NumberTextTest, ReadsTheLeadingDecimalNumberOnly)
{
    EXPECT_EQ(ReadNumberText(u"12.5 m"), 12.5);
    EXPECT_EQ(ReadNumberText(u"abc"), 0.0);
    EXPECT_EQ(ReadNumberText(u"inf"), 0.0);
    EXPECT_EQ(ReadNumberText(u"\u00a05"), 0.0);  // no-break space is not white space here
}

TEST(NumberTextTest, OutOfRangeExponentsSaturateLikeTheCLibrary)
{
    EXPECT_EQ(ReadNumberText(u"1e400"), HUGE_VAL);
    EXPECT_EQ(ReadNumberText(u"-1e400"), -HUGE_VAL);
    EXPECT_EQ(ReadNumberText(u"1e-400"), 0.0);
}

TEST(NumberTextTest, FormatsLikePrintf)
{
    for (double value : {0.0, 1.0, -2.5, 1234567.0, 999999.0, 999999.5, 0.0001, 0.00001234, 1e300, 123.456789, -0.0})
        EXPECT_EQ(FormatNumber(value), reference::FormatG(value)) << value;
    EXPECT_EQ(FormatNumber(1234567.0), u"1.23457e+06");
    EXPECT_EQ(FormatCountText(0), u"0");
    EXPECT_EQ(FormatCountText(1234567), u"1234567");
}

// Six-digit values and values a hair from the halfway point between two six-digit texts,
// across the magnitudes written without an exponent and either side of them.
TEST(NumberTextTest, FormatsLikePrintfAroundEveryRoundingHalf)
{
    std::uint64_t seed = 99;
    auto next = [&] { return seed = seed * 6364136223846793005ull + 1442695040888963407ull; };
    for (int i = 0; i < 40000; ++i) {
        const int exponent = static_cast<int>(next() >> 60) - 6;  // -6 .. 9
        const double digits = 100000.0 + static_cast<double>((next() >> 20) % 900000);
        const double nudge[] = {0.0, 0.5, 0.5 - 1e-9, 0.5 + 1e-9, 0.4999999, 0.9999999};
        const double value = (digits + nudge[(next() >> 33) % 6]) * std::pow(10.0, exponent - 5);
        const double signedValue = (next() >> 63) ? -value : value;
        EXPECT_EQ(FormatNumber(signedValue), reference::FormatG(signedValue)) << signedValue;
    }
}

TEST(NumberTextTest, AgreesWithTheCLibraryOnRandomTexts)
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
    // Long runs of digits with a point somewhere: 15 significant digits and more.
    for (int i = 0; i < 20000; ++i) {
        std::u16string text = (next() >> 31) ? u"-" : u"";
        const std::size_t length = 1 + (next() >> 16) % 24;
        const std::size_t point = (next() >> 16) % (length + 1);
        for (std::size_t k = 0; k < length; ++k) {
            if (k == point) text.push_back(u'.');
            text.push_back(static_cast<char16_t>(u'0' + (next() >> 16) % 10));
        }
        EXPECT_EQ(ReadNumberText(text), reference::ReadNumberUncached(text)) << std::string(text.begin(), text.end());
    }
}

}  // namespace
