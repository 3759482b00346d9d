#include <filesystem>

#include "ScriptFixture.h"

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
    UseScript("click 1002\nfile out dir/result file.csv 2\nclick 1\n");
    TestDialog dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.fileResult, IDOK);
    EXPECT_EQ(dlg.chosenFilter, 2);
    std::filesystem::path expected = std::filesystem::current_path() / "out dir" / "result file.csv";
    EXPECT_EQ(dlg.chosenPath, kvFromUtf8(expected.string()));

    UseScript("click 1002\nfile /tmp/x.xls\nclick 1\n");
    TestDialog byDefault;
    ASSERT_EQ(byDefault.DoModal(), IDOK);
    EXPECT_EQ(byDefault.chosenFilter, 1) << "no number: the first filter";

    UseScript("click 1002\nfile cancel\nclick 1\n");
    TestDialog cancelled;
    ASSERT_EQ(cancelled.DoModal(), IDOK);
    EXPECT_EQ(cancelled.fileResult, IDCANCEL);
    EXPECT_FALSE(script.failed());
}

TEST_F(ScriptRun, FileDialogRefusesWhatTheDialogWouldNot)
{
    UseScript("click 1002\nfile /tmp/x.xls 3\nclick 1\n");
    TestDialog badFilter;
    ASSERT_EQ(badFilter.DoModal(), IDOK) << "only the file dialog is cancelled";
    EXPECT_EQ(badFilter.fileResult, IDCANCEL);
    ASSERT_EQ(script.errors().size(), 1u);
    EXPECT_NE(script.errors()[0].find("line 2"), std::string::npos);

    UseScript("click 1002\nfile /nonexistent/settings.kvx\nclick 1\n");
    TestDialog mustExist;
    mustExist.fileFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    ASSERT_EQ(mustExist.DoModal(), IDOK);
    EXPECT_EQ(mustExist.fileResult, IDCANCEL);
    ASSERT_EQ(script.errors().size(), 1u);
    EXPECT_NE(script.errors()[0].find("does not exist"), std::string::npos);
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
