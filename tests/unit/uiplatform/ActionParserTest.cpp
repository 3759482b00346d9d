#include <gtest/gtest.h>

#include "kv/KvString.h"
#include "kvui/KvUiAction.h"
#include "kvui/KvUiDefs.h"

namespace {
KvUiAction Parse(const std::string& line)
{
    KvUiAction action;
    std::string error;
    EXPECT_TRUE(KvUiParseAction(line, action, error)) << line << ": " << error;
    return action;
}

std::string Error(const std::string& line)
{
    KvUiAction action;
    std::string error;
    EXPECT_FALSE(KvUiParseAction(line, action, error)) << line;
    return error;
}
}  // namespace

// What the script-driven dialog tests do not reach: spacing, UTF-8 and numbers inside texts.
TEST(ActionParser, TextsRunToTheEndOfTheLineAndKeepTheirSpaces)
{
    KvUiAction item = Parse("item 1022 3D  Solid off");
    EXPECT_EQ(item.kind, KvUiActionKind::Item);
    EXPECT_EQ(item.id, 1022);
    EXPECT_EQ(item.text, u"3D  Solid");
    EXPECT_FALSE(item.bOn);
    EXPECT_EQ(Parse("select 1034 Couleur élevée").text, kvFromUtf8("Couleur élevée"));

    KvUiAction file = Parse("file out 2.csv");
    EXPECT_EQ(file.text, u"out 2.csv");
    EXPECT_EQ(file.filterIndex, 0);
}

// A menu opened without its choice asks for it (the console lists the menu).
TEST(ActionParser, MenusMayComeWithoutTheirChoice)
{
    const KvUiAction cell = Parse("cellmenu 1025 4 3");
    EXPECT_TRUE(cell.bMenuOnScreen);
    EXPECT_EQ(cell.col, 3);
    EXPECT_FALSE(Parse("cellmenu 1025 4 3 0").bMenuOnScreen);
    EXPECT_TRUE(Parse("headermenu 1022").bMenuOnScreen);
    EXPECT_EQ(Parse("headermenu 1022 5").col, 5);
}

TEST(ActionParser, MistakesSayWhatWasExpected)
{
    EXPECT_NE(Error("cellmenu 1025 4").find("missing column"), std::string::npos);
    EXPECT_NE(Error("cellmenu 1025 4 3 1 2").find("unexpected '2'"), std::string::npos);
    EXPECT_NE(Error("cellmenu 1025 4 x 1").find("column must be a whole number, not 'x'"), std::string::npos);
    EXPECT_NE(Error("click 1 2").find("unexpected '2'"), std::string::npos);
    EXPECT_NE(Error("item 1022 Line maybe").find("on or off"), std::string::npos);
    EXPECT_NE(Error("item 1022 on").find("missing the item name"), std::string::npos);
    EXPECT_NE(Error("answer perhaps").find("'answer ok|yes|no'"), std::string::npos);
    EXPECT_NE(Error("Click 1").find("unknown action 'Click'"), std::string::npos);
}
