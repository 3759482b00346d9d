#include <gtest/gtest.h>

#include "kv/KvString.h"
#include "ui/KvUiAction.h"
#include "ui/KvUiDefs.h"

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

TEST(ActionParser, TextsRunToTheEndOfTheLineAndKeepTheirSpaces)
{
    KvUiAction item = Parse("item 1022 3D  Solid off");
    EXPECT_EQ(item.kind, KvUiActionKind::Item);
    EXPECT_EQ(item.id, 1022);
    EXPECT_EQ(item.text, u"3D  Solid");
    EXPECT_FALSE(item.bOn);

    KvUiAction total = Parse("total 1025 Line spacing factor on");
    EXPECT_EQ(total.text, u"Line spacing factor");
    EXPECT_TRUE(total.bOn);

    KvUiAction select = Parse("select 1034 Couleur élevée");
    EXPECT_EQ(select.text, kvFromUtf8("Couleur élevée"));
}

TEST(ActionParser, FileLinesTakeATrailingNumberAsTheFilter)
{
    KvUiAction withFilter = Parse("file /tmp/my results/out.csv 2");
    EXPECT_EQ(withFilter.text, u"/tmp/my results/out.csv");
    EXPECT_EQ(withFilter.filterIndex, 2);
    KvUiAction plain = Parse("file out 2.csv");
    EXPECT_EQ(plain.text, u"out 2.csv");
    EXPECT_EQ(plain.filterIndex, 0);
    EXPECT_TRUE(Parse("file cancel").bCancel);
}

TEST(ActionParser, NumbersOfMenusAndColumns)
{
    KvUiAction cell = Parse("cellmenu 1025 4 3 2");
    EXPECT_EQ(cell.row, 4);
    EXPECT_EQ(cell.col, 3);
    EXPECT_EQ(cell.choice, 2);
    KvUiAction move = Parse("movecol 1022 5 1");
    EXPECT_EQ(move.col, 5);
    EXPECT_EQ(move.to, 1);
    EXPECT_EQ(Parse("answer no").answer, IDNO);
    EXPECT_EQ(Parse("objects 1A 2B").kind, KvUiActionKind::Objects);
}

TEST(ActionParser, MistakesSayWhatWasExpected)
{
    EXPECT_NE(Error("cellmenu 1025 4 3").find("missing menu choice"), std::string::npos);
    EXPECT_NE(Error("cellmenu 1025 4 x 1").find("column must be a whole number, not 'x'"), std::string::npos);
    EXPECT_NE(Error("click 1 2").find("unexpected '2'"), std::string::npos);
    EXPECT_NE(Error("item 1022 Line maybe").find("on or off"), std::string::npos);
    EXPECT_NE(Error("item 1022 on").find("missing the item name"), std::string::npos);
    EXPECT_NE(Error("answer perhaps").find("'answer ok|yes|no'"), std::string::npos);
    EXPECT_NE(Error("Click 1").find("unknown action 'Click'"), std::string::npos);
}
