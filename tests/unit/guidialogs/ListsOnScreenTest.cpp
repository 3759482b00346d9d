// The report lists on a virtual display, used with a real pointer: each gesture must become
// the action the dialog model expects (a click on a Total mark sets the total, not the row's
// check), menus open where the click was and take the click on their item, headers drag.
#include <gtest/gtest.h>

#include <algorithm>

#include <wx/dataview.h>
#include <wx/stattext.h>

#include "ListsDialog.h"
#include "ScreenRobot.h"
#include "kv/KvConsole.h"
#include "kv/KvUiLanguage.h"
#include "kvgui/GuiDialogDriver.h"
#include "kvgui/GuiToolkit.h"

namespace {
class Toolkit : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string error;
        bStarted = kvguiStartToolkit("test_guidialogs", error);
        if (!bStarted) why = error;
        if (bStarted && !ScreenRobot::Available(why)) bStarted = false;
    }
    void TearDown() override
    {
        if (bStarted) kvguiStopToolkit();
    }
    static inline bool bStarted = false;
    static inline std::string why;
};
const auto* const toolkit = ::testing::AddGlobalTestEnvironment(new Toolkit);

class ListsOnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Toolkit::bStarted) GTEST_SKIP() << "no display for windows: " << Toolkit::why;
        kvSetUiLanguage(KvUiLanguage::English);
        KvConsole::instance().setEcho(false);
        RegisterListsDialog();
        driver = std::make_unique<GuiDialogDriver>(nullptr, nullptr, std::string());
    }
    void TearDown() override { driver.reset(); }

    GuiDialogWindow* Window() { return driver->WindowOf(dlg); }
    wxDataViewCtrl* View(int id) { return Window() ? dynamic_cast<wxDataViewCtrl*>(Window()->Widget(id)) : nullptr; }
    GtkTreeView* Tree(int id) { return GTK_TREE_VIEW(View(id)->GtkGetTreeView()); }
    GtkTreeViewColumn* Column(int id, int col)
    {
        for (unsigned i = 0; i < View(id)->GetColumnCount(); ++i)
            if (View(id)->GetColumn(i)->GetModelColumn() == static_cast<unsigned>(col))
                return GTK_TREE_VIEW_COLUMN(View(id)->GetColumn(i)->GetGtkHandle());
        return nullptr;
    }
    wxPoint Cell(int id, int row, int col) { return ScreenRobot::CellCentre(Tree(id), row, Column(id, col)); }
    wxPoint Header(int id, int col) { return ScreenRobot::Centre(gtk_tree_view_column_get_button(Column(id, col))); }
    bool Shown()
    {
        return Window() && View(kProps) && gtk_widget_get_mapped(GTK_WIDGET(Tree(kProps))) &&
               gtk_widget_get_mapped(GTK_WIDGET(Tree(kKinds)));
    }
    // Clicks the item of the popup menu on screen once it is there.
    static bool ClickMenuItem(const std::string& text)
    {
        GtkWidget* item = ScreenRobot::MenuItem(text);
        if (!item) return false;
        ScreenRobot::Click(ScreenRobot::Centre(item));
        return true;
    }
    void CloseWindow()
    {
        if (Window()) Window()->Window()->Close();
    }
    int Position(int col) const
    {
        const std::vector<int> order = dlg.m_props.GetColumnOrder();
        return static_cast<int>(std::find(order.begin(), order.end(), col) - order.begin());
    }
    std::vector<std::u16string> Properties() const
    {
        std::vector<std::u16string> names;
        for (int row = 0; row < dlg.m_props.GetItemCount(); ++row) names.push_back(dlg.m_props.GetItemText(row, 1));
        return names;
    }

    std::unique_ptr<GuiDialogDriver> driver;
    ListsDialog dlg;
    ScreenRobot robot;
};

TEST_F(ListsOnScreen, MouseGesturesBecomeTheDialogsOwnActions)
{
    // The check images' indexes are known once the dialog has filled its lists.
    auto on = [&] { return dlg.m_iChecked; };
    auto off = [&] { return dlg.m_iChecked - 1; };
    std::vector<std::string> problems;
    robot.Then("the dialog shows", [&] { return Shown(); });
    robot.Then("its layout fits", [&] {
        problems = Window()->LayoutProblems(Window()->Grab());
        return true;
    });
    robot.Then("click Area's Total mark", [&] {
        ScreenRobot::Click(Cell(kProps, 2, 3));
        return true;
    });
    robot.Then("Area has a total and keeps its check",
               [&] { return dlg.m_props.GetItemImage(2, 3) == on() && dlg.m_props.GetItemImage(2, 1) == on(); });
    robot.Then("click Color's check mark", [&] {
        ScreenRobot::Click(Cell(kProps, 1, 1));
        return true;
    });
    robot.Then("Color is unchecked, its total untouched",
               [&] { return dlg.m_props.GetItemImage(1, 1) == off() && dlg.m_props.GetItemImage(1, 3) == off(); });
    robot.Then("click Arc's check box", [&] {
        ScreenRobot::Click(Cell(kKinds, 1, 0));
        return true;
    });
    robot.Then("only Arc is unchecked",
               [&] { return !dlg.m_kinds.GetCheck(1) && dlg.m_kinds.GetCheck(0) && dlg.m_kinds.GetCheck(2); });
    robot.Then("right-click Layer's check mark", [&] {
        ScreenRobot::Click(Cell(kProps, 0, 1), 3);
        return true;
    });
    robot.Then("choose No selection", [&] { return ClickMenuItem("No selection"); });
    robot.Then("no property is checked, the totals stay", [&] {
        return dlg.m_props.GetItemImage(0, 1) == off() && dlg.m_props.GetItemImage(2, 1) == off() &&
               dlg.m_props.GetItemImage(2, 3) == on();
    });
    robot.Then("right-click the Property header", [&] {
        ScreenRobot::Click(Header(kProps, 1), 3);
        return true;
    });
    robot.Then("choose Display name", [&] { return ClickMenuItem("Display name"); });
    robot.Then("Display name is hidden and left out",
               [&] { return !dlg.m_props.IsColumnShown(2) && !dlg.m_props.IncludeFlags()[2]; });
    wxPoint from, to;
    robot.Then("press on the Total header", [&] {
        from = Header(kProps, 3);
        to = Header(kProps, 1) - wxPoint(40, 0);
        ScreenRobot::MoveTo(from);
        ScreenRobot::Press(1);
        return true;
    });
    int step = 0;
    robot.Then("drag it left of Property", [&] {
        ScreenRobot::MoveTo(from + (to - from) * ++step / 6);
        return step == 6;
    });
    robot.Then("drop it", [&] {
        ScreenRobot::Release(1);
        return true;
    });
    robot.Then("Total comes before Property", [&] { return Position(3) < Position(1); });
    robot.Then("click the Property header", [&] {
        ScreenRobot::Click(Header(kProps, 1));
        return true;
    });
    robot.Then("the rows are sorted by property", [&] {
        return Properties() == std::vector<std::u16string>{u"Area", u"Color", u"Layer"};
    });
    robot.Then("press OK", [&] {
        ScreenRobot::Click(ScreenRobot::Centre(Window()->Widget(IDOK)->GetHandle()));
        return true;
    });
    robot.Start([this] { CloseWindow(); });
    const INT_PTR result = dlg.DoModal();
    EXPECT_EQ(robot.StuckAt(), "");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST_F(ListsOnScreen, AListWithoutRowsSaysSoInsideIt)
{
    const wxString text = "There are no items to show in this view.";
    bool bSaid = false, bInside = false, bGoneWithARow = false;
    robot.Then("the dialog shows", [&] { return Shown(); });
    robot.Then("read the empty list", [&] {
        wxStaticText* said = nullptr;
        for (wxWindow* child : View(kEmpty)->GetChildren())
            if (auto* label = dynamic_cast<wxStaticText*>(child);
                label && label->IsShown() && label->GetLabel() == text)
                said = label;
        bSaid = said != nullptr;
        bInside = said && wxRect(View(kEmpty)->GetClientSize()).Contains(said->GetRect());
        dlg.m_empty.InsertItem(0, u"Line");
        Window()->Sync();
        bGoneWithARow = said && !said->IsShown();
        return true;
    });
    robot.Then("close the window", [&] {
        Window()->Window()->Close();
        return true;
    });
    robot.Start([this] { CloseWindow(); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(robot.StuckAt(), "");
    EXPECT_TRUE(bSaid);
    EXPECT_TRUE(bInside);
    EXPECT_TRUE(bGoneWithARow);
}
// The layout check must see what a user would: texts cut, icons clipped, controls on top of
// each other.
TEST_F(ListsOnScreen, TheLayoutCheckSeesWhatDoesNotFit)
{
    CrampedDialog cramped;
    std::vector<std::string> problems;
    robot.Then("the dialog shows", [&] {
        GuiDialogWindow* window = driver->WindowOf(cramped);
        if (!window || !gtk_widget_get_mapped(window->Window()->GetHandle())) return false;
        kvguiFlushEvents();
        problems = window->LayoutProblems(window->Grab());
        window->Window()->Close();
        return true;
    });
    robot.Start([&] { driver->WindowOf(cramped)->Window()->Close(); });
    EXPECT_EQ(cramped.DoModal(), IDCANCEL);
    auto says = [&](const std::string& what) {
        return std::any_of(problems.begin(), problems.end(),
                           [&](const std::string& p) { return p.find(what) != std::string::npos; });
    };
    EXPECT_TRUE(says("control 1301 does not show its image whole")) << ::testing::PrintToString(problems);
    EXPECT_TRUE(says("control 1302 and control 1303 overlap")) << ::testing::PrintToString(problems);
    EXPECT_TRUE(says("control 2 \"Cancel\" needs")) << ::testing::PrintToString(problems);
}
}  // namespace
