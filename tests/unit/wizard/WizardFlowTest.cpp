// The wizard's page chain driven as a user would: which page shows what, and what reaches
// the drawing and the files.
#include "WizardFixture.h"

#include "drawing/ExtractionTag.h"

namespace {
using Items = std::vector<std::u16string>;
constexpr unsigned kPage1 = 102, kPage2 = 103, kPage3 = 110, kPage4 = 111, kPage5 = 112;

// Lines of a CSV file, each ended by CR LF.
std::size_t CsvLineCount(const std::string& text)
{
    std::size_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++n;
    return n;
}

}  // namespace

TEST_F(WizardTest, StartPageNextWithNothingChosenEndsSilently)
{
    AddLine(0, 0, 1, 0);
    EXPECT_TRUE(Run("check 1004 off\nclick 1\n"));
    EXPECT_EQ(DialogSequence(), (std::vector<unsigned>{kPage1, kPage1}));

    // A cancelled browse clears the new-extraction box all the same, and Next then ends.
    EXPECT_TRUE(Run("click 1002\nfile cancel\nclick 1\n"));
    EXPECT_EQ(DialogSequence(), (std::vector<unsigned>{kPage1, kPage1}));
    EXPECT_EQ(Visits(kPage1)[1].checks.at(1004), BST_UNCHECKED);
    EXPECT_TRUE(m_pDriver->messages.empty());
    EXPECT_TRUE(Printed().empty());
}

TEST_F(WizardTest, DataSourceNextInEmptyDrawingStays)
{
    EXPECT_TRUE(Run("click 1\nclick 1\nclick 2\n"));
    EXPECT_EQ(DialogSequence(), (std::vector<unsigned>{kPage1, kPage2, kPage2}));
    EXPECT_TRUE(m_pDriver->messages.empty());
    const DialogSnapshot page2 = Visits(kPage2)[0];
    EXPECT_EQ(page2.lists.at(1011), Items{u"[ ] /drawings/office.dxf"});
    EXPECT_EQ(page2.checks.at(1037), BST_CHECKED);
}

TEST_F(WizardTest, PickedObjectsGoStraightToTheKindPage)
{
    const auto idLine = AddLine(0, 0, 1, 0);
    AddCircle(0, 0, 1);
    m_input.answers.push_back(QueuedEditorInput::Cancelled());
    m_input.answers.push_back(QueuedEditorInput::Picked({ObjectHandle(idLine)}));
    EXPECT_TRUE(Run("click 1\nclick 1002\nclick 1002\nclick 2\n"));
    EXPECT_EQ(DialogSequence(), (std::vector<unsigned>{kPage1, kPage2, kPage2, kPage3}));
    EXPECT_EQ(Visits(kPage3)[0].lists.at(1022), Items{u"[x] Line"});
    EXPECT_EQ(Visits(kPage3)[0].lists.at(1023), Items{u"[x] Non-Block"});  // one group, one filter
}

TEST_F(WizardTest, KindFiltersShowAndHideTheirKinds)
{
    AddBlockReference(u"Door", 0, 0);
    AddBlockReference(u"Door", 5, 0);
    AddLine(0, 0, 1, 0);
    AddCircle(0, 0, 1);
    const std::string csCsv = Path("kinds.csv");
    EXPECT_TRUE(
        Run("click 1\nclick 1\n"
            "item 1022 Line off\nitem 1023 Non-Block off\nitem 1023 Non-Block on\n"
            "item 1023 Non-Block off\nclick 1\nclick 1\n"
            "click 1029\nfile " +
            csCsv + " 1\nclick 1\n"));
    const auto visits = Visits(kPage3);
    ASSERT_EQ(visits.size(), 5u);
    EXPECT_EQ(visits[0].lists.at(1023), (Items{u"[x] Non-Block", u"[x] Block"}));
    EXPECT_EQ(visits[0].lists.at(1022), (Items{u"[x] Line", u"[x] Circle", u"[x] Block"}));
    EXPECT_EQ(visits[2].lists.at(1022), Items{u"[x] Block"});
    // Back at the top, with the check the user gave them.
    EXPECT_EQ(visits[3].lists.at(1022), (Items{u"[ ] Line", u"[x] Circle", u"[x] Block"}));

    // Circle was checked but hidden: only the block references are extracted.
    const std::string csText = ReadFile(csCsv);
    EXPECT_NE(csText.find("Block"), std::string::npos);
    EXPECT_EQ(csText.find("Circle"), std::string::npos);
    EXPECT_EQ(csText.find("Line"), std::string::npos);
}

TEST_F(WizardTest, GoingBackKeepsOrRebuildsChecks)
{
    AddLine(0, 0, 1, 0);
    AddCircle(0, 0, 1);
    EXPECT_TRUE(
        Run("click 1\nclick 1\n"
            "item 1022 Line off\nclick 1\n"                                     // 3 -> 4
            "item 1025 Layer off\ncheck 1032 off\ncheck 1033 on\nclick 1001\n"  // 4 -> 3
            "click 1\n"                                                         // 3 -> 4
            "item 1025 Layer off\ncheck 1032 off\ncheck 1033 on\nclick 1\n"     // 4 -> 5
            "click 1001\n"                                                      // 5 -> 4
            "click 1001\n"                                                      // 4 -> 3
            "click 2\n"));
    const auto page3 = Visits(kPage3);
    ASSERT_EQ(page3.size(), 4u);
    EXPECT_EQ(page3[2].lists.at(1022), (Items{u"[ ] Line", u"[x] Circle"}));  // 4 -> 3 keeps
    EXPECT_EQ(page3[3].lists.at(1022), (Items{u"[x] Line", u"[x] Circle"}));  // 5 -> 4 -> 3 rebuilds

    const auto page4 = Visits(kPage4);
    ASSERT_EQ(page4.size(), 9u);
    const DialogSnapshot& back = page4.back();  // rebuilt from page 5
    EXPECT_EQ((std::vector<int>{back.checks.at(1032), back.checks.at(1033), back.checks.at(1030)}),
              (std::vector<int>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}));
    const Items& props = back.lists.at(1025);
    EXPECT_NE(std::find(props.begin(), props.end(), u"[ ] Layer"), props.end());
    EXPECT_NE(std::find(props.begin(), props.end(), u"[x] Radius"), props.end());
}

TEST_F(WizardTest, CombineClearsQuantitiesAndTotalsOffBuildsNoTotalsLine)
{
    AddLine(0, 0, 1, 0);
    AddLine(0, 0, 2, 0);
    EXPECT_TRUE(Run("click 1\nclick 1\nclick 1\ncheck 1033 on\ncheck 1030 on\ncheck 1033 off\nclick 2\n"));
    const auto page4 = Visits(kPage4);
    EXPECT_EQ((std::vector<int>{page4[1].checks.at(1030), page4[3].checks.at(1030)}),
              std::vector<int>(2, BST_UNCHECKED));

    const std::string csWith = Path("with.csv"), csWithout = Path("without.csv");
    EXPECT_TRUE(Run("click 1\nclick 1\nclick 1\nclick 1\nclick 1029\nfile " + csWith + " 1\nclick 1\n"));
    EXPECT_TRUE(
        Run("click 1\nclick 1\nclick 1\ncheck 1028 off\nclick 1\nclick 1029\nfile " + csWithout + " 1\nclick 1\n"));
    EXPECT_FALSE(Visits(kPage4)[1].columnsShown.at(1025)[3]);
    // The empty row and the totals line are the difference.
    EXPECT_EQ(CsvLineCount(ReadFile(csWith)), CsvLineCount(ReadFile(csWithout)) + 2);
}

TEST_F(WizardTest, CancelledInsertLeavesNothingToTagAndAsksBeforeQuitting)
{
    AddLine(0, 0, 1, 0);
    m_input.answers.push_back(QueuedEditorInput::At(KvGePoint3d(10, 10, 0)));
    m_input.answers.push_back(QueuedEditorInput::Cancelled());
    EXPECT_TRUE(
        Run("click 1\nclick 1\nclick 1\nclick 1\nclick 1031\nclick 1031\n"
            "click 1\nanswer no\nclick 1\nanswer yes\n"));
    EXPECT_EQ(m_pDriver->messages,
              (std::vector<std::u16string>(2, u"No output choice : Are you sure to want quit wizard ?")));
    ASSERT_EQ(Tables().size(), 1u);
    EXPECT_TRUE(ReadTag(Tables()[0], kTagHandles, false).empty());
}

TEST_F(WizardTest, CellMenusCheckWholeColumnsWhereThereAreMarks)
{
    AddLine(0, 0, 1, 0);
    AddCircle(0, 0, 1);
    EXPECT_TRUE(
        Run("click 1\nclick 1\n"
            "cellmenu 1022 1 1 2\nclick 1\nclick 1001\n"  // page 3: No selection, there and back
            "cellmenu 1022 0 1 1\nclick 1\n"              // Select all
            "cellmenu 1025 0 2 2\ncellmenu 1025 0 3 1\ncellmenu 1025 1 1 2\nclick 2\n"));
    const auto page3 = Visits(kPage3);
    ASSERT_EQ(page3.size(), 4u);
    EXPECT_EQ(page3[2].lists.at(1022), (Items{u"[ ] Line", u"[ ] Circle"}));  // kept by the kind table
    EXPECT_EQ(page3[3].lists.at(1022), (Items{u"[x] Line", u"[x] Circle"}));

    const auto page4 = Visits(kPage4);  // the first one only went back
    ASSERT_EQ(page4.size(), 5u);
    EXPECT_EQ(page4[2].lists.at(1025), page4[1].lists.at(1025));  // a plain text cell offers no menu
    for (const auto& item : page4[4].lists.at(1025)) EXPECT_EQ(item.substr(0, 3), u"[ ]");
}

TEST_F(WizardTest, PreviewHeaderMenuNeverOffersTheLabelColumn)
{
    AddLine(0, 0, 1, 0);
    EXPECT_FALSE(Run("click 1\nclick 1\nclick 1\nclick 1\nheadermenu 1022 0\n"));
    EXPECT_TRUE(Run("click 1\nclick 1\nclick 1\nclick 1\nheadermenu 1022 1\nheadermenu 1022 1\nclick 2\n"));
    const auto page5 = Visits(kPage5);
    ASSERT_EQ(page5.size(), 3u);
    EXPECT_FALSE(page5[1].columnsShown.at(1022)[1]);
    EXPECT_TRUE(page5[2].columnsShown.at(1022)[1]);
    EXPECT_FALSE(page5[0].columnsShown.at(1022)[0]);
}

TEST_F(WizardTest, PagesSpeakTheUserInterfaceLanguage)
{
    kvSetUiLanguage(KvUiLanguage::French);
    AddLine(0, 0, 1, 0);
    EXPECT_TRUE(Run("click 2\n"));
    EXPECT_EQ(Visits(kPage1)[0].texts.at(1047), u"Utiliser une extraction .kvx");
    EXPECT_EQ(Visits(kPage1)[0].texts.at(1002), u"...");
}
