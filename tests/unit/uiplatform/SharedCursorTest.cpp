#include "ScriptFixture.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvEdInputProvider.h"
#include "shell/ScriptedEditorInput.h"

// Dialog actions and the editor's input come from one script, line after line.
namespace {
struct PointDialog : TestDialog {
    std::vector<int> statuses;
    std::vector<bool> hiddenDuringPick;
    std::vector<bool> shownAfter;
    double last[3] = {};

    PointDialog()
    {
        MapCommand(kAsk, BN_CLICKED, [this] {
            BeginEditorCommand();
            hiddenDuringPick.push_back(!IsWindowVisible());
            int status = kvedGetPoint(nullptr, u"\nPoint:", last);
            if (status == RTNORM)
                CompleteEditorCommand(true);
            else
                CancelEditorCommand();
            statuses.push_back(status);
            shownAfter.push_back(IsWindowVisible() != FALSE);
        });
    }
};
}  // namespace

TEST_F(ScriptRun, EditorInputAndDialogsShareOneCursor)
{
    UseScript("click 1003\npoint 1.5,2\n"
              "click 1003\npoint cancel\n"
              "click 1003\nclick 1\n");  // the point request takes the click: wrong sort
    ScriptedEditorInput editor(script);
    kvedSetInputProvider(&editor);
    PointDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "the script ran out for the dialog";
    kvedSetInputProvider(nullptr);

    EXPECT_EQ(dlg.statuses, (std::vector<int>{RTNORM, RTCAN, RTCAN}));
    EXPECT_DOUBLE_EQ(dlg.last[0], 1.5);
    EXPECT_DOUBLE_EQ(dlg.last[1], 2.0);
    EXPECT_EQ(dlg.hiddenDuringPick, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(dlg.shownAfter, (std::vector<bool>{true, true, true}));
    ASSERT_EQ(script.errors().size(), 2u);
    EXPECT_NE(script.errors()[0].find("line 6"), std::string::npos) << script.errors()[0];
    EXPECT_NE(script.errors()[1].find("ran out"), std::string::npos) << script.errors()[1];
}
