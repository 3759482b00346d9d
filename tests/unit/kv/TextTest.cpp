#include <memory>

#include "support/DrawingFixture.h"

using TextTest = DrawingFixture;

TEST_F(TextTest, ExtentsScaleWithSizeAndWidthFactor)
{
    KvGiTextStyle style;
    style.setTextSize(1.0);
    const double narrow = style.extents(u"iiii", true, -1, false).x;
    const double wide = style.extents(u"WWWW", true, -1, false).x;
    EXPECT_GT(wide, 3 * narrow);  // a proportional font
    EXPECT_DOUBLE_EQ(style.extents(u"Hi", true, -1, false).x, 0.722 + 0.222);
    style.setTextSize(2.5);
    EXPECT_DOUBLE_EQ(style.extents(u"Hi", true, -1, false).x, 2.5 * (0.722 + 0.222));
    EXPECT_DOUBLE_EQ(style.extents(u"Hi", true, -1, false).y, 2.5);
    style.setXScale(0.5);
    EXPECT_DOUBLE_EQ(style.extents(u"Hi", true, -1, false).x, 1.25 * (0.722 + 0.222));
    EXPECT_DOUBLE_EQ(style.extents(u"Hi there", true, 2, false).x, 1.25 * (0.722 + 0.222));  // a length stops early
}

TEST_F(TextTest, ExtentsOfSpecialCodesLinesAndTrailingSpaces)
{
    KvGiTextStyle style;
    const double degree = style.extents(u"90%%d", true, -1, false).x;
    EXPECT_DOUBLE_EQ(degree, style.extents(u"90\u00B0", true, -1, false).x);
    EXPECT_GT(style.extents(u"90%%d", true, -1, true).x, degree);  // raw: the code as written
    EXPECT_DOUBLE_EQ(style.extents(u"short\nlonger line", true, -1, false).x,
                     style.extents(u"longer line", true, -1, false).x);
    EXPECT_DOUBLE_EQ(style.extents(u"ab  ", false, -1, false).x, style.extents(u"ab", true, -1, false).x);
    EXPECT_GT(style.extents(u"ab  ", true, -1, false).x, style.extents(u"ab", true, -1, false).x);
    EXPECT_GT(style.extents(u"\u00E9", true, -1, false).x, 0.0);  // outside the table: a default width
}

TEST_F(TextTest, StyleOfTheDrawingSetsSizeAndWidthFactor)
{
    KvDbTextStyleTableRecord* pStandard = nullptr;
    ASSERT_EQ(kvdbOpenObject(pStandard, Db().textstyle(), KvDb::kForWrite), Kvmo::eOk);
    pStandard->xScale = 0.8;
    pStandard->close();
    KvGiTextStyle style;
    style.setTextSize(0.18);
    ASSERT_EQ(fromKvDbTextStyle(style, Db().textstyle()), Kvmo::eOk);
    EXPECT_DOUBLE_EQ(style.xScale(), 0.8);
    EXPECT_DOUBLE_EQ(style.textSize(), 0.18);  // a style without a fixed height keeps the size
    ASSERT_EQ(kvdbOpenObject(pStandard, Db().textstyle(), KvDb::kForWrite), Kvmo::eOk);
    pStandard->textSize = 3.5;
    pStandard->close();
    ASSERT_EQ(fromKvDbTextStyle(style, Db().textstyle()), Kvmo::eOk);
    EXPECT_DOUBLE_EQ(style.textSize(), 3.5);
    EXPECT_EQ(fromKvDbTextStyle(style, Db().modelSpaceId()), Kvmo::eWrongObjectType);
    EXPECT_EQ(fromKvDbTextStyle(style, KvDbObjectId()), Kvmo::eNullObjectId);
}

TEST_F(TextTest, MTextPlainTextDropsFormattingCodes)
{
    KvDbMText mtext;
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"Line one\\PLine two", u"Line one\nLine two"},
        {u"{\\fArial|b1|i0|c0|p34;Bold} and {\\H2.5x;\\C1;red}", u"Bold and red"},
        {u"\\LUnder\\l \\Oover\\o \\Kstrike\\k", u"Under over strike"},
        {u"A\\~B", u"A B"},
        {u"1\\S1/2; inch, \\S+0.1^-0.1;", u"11/2 inch, +0.1^-0.1"},
        {u"\\A1;\\Q15;\\T1.2;\\W0.8;slanted", u"slanted"},
        {u"\\\\server\\{braces\\}", u"\\server{braces}"},
        {u"45%%d \\U+00B1 0.5", u"45\u00B0 \u00B1 0.5"},
        {u"100%% sure", u"100%% sure"},
    };
    for (const auto& [contents, plain] : cases) {
        mtext.setContents(contents);
        EXPECT_EQ(mtext.text(), plain) << kvToUtf8(contents);
    }
    mtext.setTextHeight(3.0);
    mtext.setLineSpacingFactor(1.5);
    EXPECT_DOUBLE_EQ(mtext.lineSpacingDistance(), 7.5);
}

// Texts are kept inline when short and of one-byte characters, on the heap otherwise: each
// comes back as set, through copies (clone) and replacements from one form to the other.
TEST(PackedText, TextsOfEveryFormComeBackAsSetThroughCopiesAndReplacements)
{
    const std::u16string texts[] = {u"",
                                    u"7",
                                    u"fourteen chars",
                                    u"fifteen chars..",
                                    u"Caf\u00e9 \u00ff\u00a0x",
                                    u"\u20ac 12",
                                    u"\U0001F600",
                                    std::u16string(1, u'\0') + u"a",
                                    std::u16string(70000, u'w')};
    for (const std::u16string& first : texts)
        for (const std::u16string& second : texts) {
            KvDbAttribute attribute;
            ASSERT_EQ(attribute.setTextString(first), Kvmo::eOk);
            std::unique_ptr<KvDbAttribute> copy(attribute.clone());
            ASSERT_EQ(attribute.setTextString(second), Kvmo::eOk);
            EXPECT_EQ(copy->textString(), first);
            EXPECT_EQ(attribute.textString(), second);
            KvPackedText moved{KvPackedText(second)};
            KvPackedText assigned(first);
            assigned = moved;
            moved = KvPackedText(first);
            EXPECT_EQ(assigned.str(), second);
            EXPECT_EQ(moved.str(), first);
            EXPECT_EQ(assigned.size(), second.size());
        }
}
