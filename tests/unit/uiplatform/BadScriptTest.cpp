#include "ScriptFixture.h"

// Every mistake of a script: one message naming the line, the request cancelled, the
// failure remembered, and the rest of the program carries on.
struct BadCase {
    const char* name;
    const char* script;
    const char* lineNamed;  // text the single message must hold
    const char* reason;
    int linesLeft;
};

class BadScript : public ScriptRun, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadScript, CancelsTheDialogWithOneClearMessage)
{
    const BadCase& c = GetParam();
    UseScript(c.script);
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(script.errors().size(), 1u) << c.name;
    const std::string& message = script.errors()[0];
    EXPECT_NE(message.find("test.ui"), std::string::npos) << message;
    EXPECT_NE(message.find(c.lineNamed), std::string::npos) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << "one line";
    EXPECT_EQ(LinesLeft(), c.linesLeft) << "a bad line is used up; the lines after it stay";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadScript,
    ::testing::Values(BadCase{"file line for a dialog", "check 1004 on\nfile /tmp/a.csv\nclick 1\n", "line 2",
                              "not an action on a dialog", 1},
                      BadCase{"editor line for a dialog", "objects all\n", "line 1", "'objects'", 0},
                      BadCase{"answer line for a dialog", "answer yes\n", "line 1", "'answer'", 0},
                      BadCase{"unknown control", "click 4242\nclick 1\n", "line 1", "no control 4242", 1},
                      BadCase{"label clicked", "click 1008\n", "line 1", "label, not a button", 0},
                      BadCase{"unknown item", "item 1010 Circle on\n", "line 1", "no item 'Circle'", 0},
                      BadCase{"unknown drop-down entry", "select 1009 Delta\n", "line 1", "no entry 'Delta'", 0},
                      BadCase{"unknown column", "sort 1011 7\n", "line 1", "no column 7", 0},
                      BadCase{"hidden column sorted", "sort 1011 0\n", "line 1", "hidden", 0},
                      BadCase{"unknown row", "cellmenu 1010 9 1 1\n", "line 1", "no row 9", 0},
                      BadCase{"menu without its choice", "cellmenu 1010 0 1\nclick 1\n", "line 1",
                              "a script gives the menu choice on the line", 1},
                      BadCase{"drag target out of range", "movecol 1011 1 4\n", "line 1", "no column position 4", 0},
                      BadCase{"no drag on this list", "movecol 1010 1 0\n", "line 1", "cannot be dragged", 0},
                      BadCase{"no checks in column", "total 1010 Line on\n", "line 1", "no column of total marks", 0},
                      BadCase{"radio cleared", "check 1005 on\ncheck 1005 off\n", "line 2", "cannot be cleared", 0},
                      BadCase{"unknown verb", "# lines count comments too\npress 1\nclick 1\n", "line 2",
                              "unknown action 'press'", 1},
                      BadCase{"missing state", "check 1004\n", "line 1", "on or off", 0},
                      BadCase{"id not a number", "click Next\n", "line 1", "whole number", 0},
                      BadCase{"script too short", "check 1004 on\n", "ran out", "dialog 9001 \"Test dialog\" waits", 0},
                      BadCase{"empty script", "# nothing\n\n", "ran out", "waits for an action", 0}),
    [](const ::testing::TestParamInfo<BadCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST_F(ScriptRun, RequestsAfterTheEndAreEachCancelled)
{
    UseScript("click 1002\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.fileResult, IDCANCEL);
    // The file dialog ran out, then the dialog did: one message each.
    ASSERT_EQ(script.errors().size(), 2u);
    EXPECT_NE(script.errors()[0].find("file save dialog"), std::string::npos);
    EXPECT_NE(script.errors()[1].find("dialog 9001"), std::string::npos);
}

TEST_F(ScriptRun, ADialogThatRefusesToCancelIsEndedAnyway)
{
    struct Stubborn : TestDialog {
        void OnCancel() override {}
    } dlg;
    UseScript("click 77\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.failed());
}

TEST_F(ScriptRun, NoDriverCancelsAndAMissingTemplateFails)
{
    kvuiSetDriver(nullptr);
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    CKvUiDialog unknown(4711);
    EXPECT_EQ(unknown.DoModal(), -1);
}
