#include <filesystem>

#include "ScriptFixture.h"
#include "support/ScratchDir.h"

TEST_F(ScriptRun, ButtonsCheckBoxesRadioGroupAndDropDown)
{
    UseScript(
        "# comment and blank lines are skipped\n\n"
        "check 1004 on\n"
        "check 1004 on\n"  // no change, no click
        "check 1006 on\n"
        "check 1007 on\n"
        "check 1005 on\n"
        "select 1009 Gamma\n"
        "click 1\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(script.failed());
    EXPECT_EQ(dlg.clicks, (std::vector<int>{kOption, kRadioB, kRadioC, kRadioA}));
    // The sorted drop-down holds alpha, Beta, Gamma: Gamma is entry 2.
    EXPECT_EQ(dlg.comboChanges, std::vector<int>{2});
}

TEST_F(ScriptRun, RadioButtonsOfAGroupExcludeEachOtherAndStayReadableAfterTheEnd)
{
    UseScript("check 1006 on\ncheck 1007 on\nclick 2\n");
    struct Probe : TestDialog {
        std::vector<UINT> checks;
        void OnCancel() override
        {
            TestDialog::OnCancel();
            // Controls outlive EndDialog until DoModal returns.
            for (int id : {kRadioA, kRadioB, kRadioC, kOption}) checks.push_back(IsDlgButtonChecked(id));
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.checks, (std::vector<UINT>{0, 0, 1, 0}));
    EXPECT_EQ(dlg.GetDlgItem(kRadioC), nullptr) << "controls are gone once the run is over";
}

TEST_F(ScriptRun, NativeCheckBoxesTellTheParentOldAndNewStateWithItemData)
{
    UseScript("item 1010 3D Solid off\nitem 1010 3D Solid off\nitem 1012 Block on\nclick 1\n");
    TestDialog dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::vector<SeenChange> kinds;
    for (const auto& c : dlg.changes)
        if (c.list == kKinds) kinds.push_back(c);
    // Each insertion: the new item's unchecked box (0 -> 0x1000), then the page's check.
    ASSERT_EQ(kinds.size(), 7u);
    EXPECT_EQ(std::pair(kinds[0].oldState, kinds[0].newState), std::pair(0u, 0x1000u));
    EXPECT_EQ(std::pair(kinds[1].oldState, kinds[1].newState), std::pair(0x1000u, 0x2000u));
    // The user's uncheck of "3D Solid" (row 1, data 20); the repeated line changes nothing.
    EXPECT_EQ(std::tuple(kinds[6].item, kinds[6].oldState, kinds[6].newState, kinds[6].data),
              std::tuple(1, 0x2000u, 0x1000u, 20L));

    const SeenChange& filter = dlg.changes.back();
    EXPECT_EQ(filter.list, kFilter);
    EXPECT_EQ(filter.item, 1);  // "Block" was inserted first, then pushed down
    EXPECT_EQ(filter.newState & LVIS_STATEIMAGEMASK, 0x2000u);
}

TEST_F(ScriptRun, ImageChecksToggleAfterTheRowIsSelected)
{
    UseScript("item 1011 Color off\ntotal 1011 Color on\nitem 1011 Layer on\nclick 1\n");
    struct Probe : TestDialog {
        std::vector<int> images;  // Color's name and total, Layer's name
        void OnOK() override
        {
            TestDialog::OnOK();
            images = {m_props.GetCellImage(1, 1), m_props.GetCellImage(1, 3), m_props.GetCellImage(0, 1)};
        }
    } dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.images, (std::vector<int>{0, 1, 1})) << "Layer already checked: no click";
    // Selecting the row is heard before its image changes.
    ASSERT_FALSE(dlg.changes.empty());
    const SeenChange& select = dlg.changes.back();
    EXPECT_EQ(select.list, kProps);
    EXPECT_EQ(select.item, 1);
    EXPECT_EQ(select.newState, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(select.imageAtNotification, 1);
}

// Sorting, dragging and hiding columns, cell menus and the page chain run through the
// wizard's own pages in the wizard and end-to-end tests.
TEST_F(ScriptRun, FileDialogAnswersWithFullPathAndFilterIndex)
{
    // A relative name is taken from the current folder.
    ScratchDir dir;
    std::filesystem::create_directory(dir.Path("out dir"));
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path(""));
    UseScript("click 1002\nfile out dir/result file.csv 2\nclick 1\n");
    TestDialog dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::filesystem::current_path(before);
    EXPECT_EQ(dlg.fileResult, IDOK);
    EXPECT_EQ(dlg.chosenFilter, 2);
    EXPECT_EQ(dlg.chosenPath, dir.WidePath("out dir/result file.csv"));

    UseScript("click 1002\nfile /tmp/x.xls\nclick 1\n");
    TestDialog byDefault;
    ASSERT_EQ(byDefault.DoModal(), IDOK);
    EXPECT_EQ(byDefault.chosenFilter, 1) << "no number: the first filter";
    // "file cancel" is checked on the wizard's start page (WizardFlowTest).
}

// A line naming what the dialog would not take fails like any bad line: only the file
// dialog is cancelled. A save goes only to a folder that exists and takes files.
TEST_F(ScriptRun, FileDialogRefusesWhatTheDialogWouldNot)
{
    const struct {
        const char* line;
        DWORD flags;
        const char* why;
    } cases[] = {
        {"file /tmp/x.xls 3", OFN_HIDEREADONLY, "no file type 3"},
        {"file /nonexistent/settings.kvx", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "does not exist"},
        {"file /nonexistent/out.csv", OFN_HIDEREADONLY, "the folder '/nonexistent' does not exist"},
        {"file /proc/out.csv", OFN_HIDEREADONLY, "the folder '/proc' cannot be written"},
        {"file /tmp", OFN_HIDEREADONLY, "'/tmp' is a folder"},
    };
    for (const auto& c : cases) {
        UseScript(std::string("click 1002\n") + c.line + "\nclick 1\n");
        TestDialog dlg;
        dlg.fileFlags = c.flags;
        ASSERT_EQ(dlg.DoModal(), IDOK) << c.line;
        EXPECT_EQ(dlg.fileResult, IDCANCEL) << c.line;
        ASSERT_EQ(script.errors().size(), 1u) << c.line;
        EXPECT_NE(script.errors()[0].find(c.why), std::string::npos) << script.errors()[0];
        EXPECT_NE(script.errors()[0].find("line 2"), std::string::npos) << script.errors()[0];
    }
}

TEST_F(ScriptRun, SaveAsksBeforeReplacingWhenTheRequestSaysSo)
{
    ScratchDir dir;
    WriteBytes(dir.Path("old.csv"), "kept");
    const std::string old = dir.Path("old.csv").string(), other = dir.Path("new.csv").string();

    // No: the dialog asks for another file. Yes: the existing one is taken.
    const std::pair<std::string, std::string> answers[] = {{"answer no\nfile " + other, other}, {"answer yes", old}};
    for (const auto& [lines, chosen] : answers) {
        UseScript("click 1002\nfile " + old + "\n" + lines + "\nclick 1\n");
        TestDialog dlg;
        dlg.fileFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_FALSE(script.failed());
        EXPECT_EQ(dlg.chosenPath, kvFromUtf8(chosen));
    }

    // Anything but yes or no to the question fails the line and cancels the dialog; without
    // the flag nothing is asked.
    UseScript("click 1002\nfile " + old + "\nclick 1\nclick 1\n");
    TestDialog unanswered;
    unanswered.fileFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    ASSERT_EQ(unanswered.DoModal(), IDOK);
    EXPECT_EQ(unanswered.fileResult, IDCANCEL);
    ASSERT_EQ(script.errors().size(), 1u);
    EXPECT_NE(script.errors()[0].find("already exists"), std::string::npos) << script.errors()[0];

    UseScript("click 1002\nfile " + old + "\nclick 1\n");
    TestDialog silent;
    ASSERT_EQ(silent.DoModal(), IDOK);
    EXPECT_EQ(silent.fileResult, IDOK);
    EXPECT_FALSE(script.failed());
    EXPECT_EQ(ReadBytes(dir.Path("old.csv")), "kept") << "the dialog only chooses; it writes nothing";
}

TEST_F(ScriptRun, MessageBoxesTakeAnswersOfTheirButtons)
{
    UseScript("click 1003\nanswer yes\nclick 1003\nanswer no\nclick 1\n");
    struct Probe : TestDialog {
        std::vector<int> answers;
        Probe()
        {
            MapCommand(kAsk, BN_CLICKED, [this] { answers.push_back(MessageBox(u"Quit?", u"Q", MB_YESNO)); });
        }
    } dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.answers, (std::vector<int>{IDYES, IDNO}));

    UseScript("click 1003\nanswer ok\nclick 1\n");
    TestDialog wrong;
    ASSERT_EQ(wrong.DoModal(), IDOK);
    EXPECT_EQ(wrong.answer, IDNO) << "a question left unanswered is no";
    EXPECT_TRUE(script.failed());

    UseScript("answer ok\n");
    EXPECT_EQ(AfxMessageBox(u"Done", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_FALSE(script.failed());
}
