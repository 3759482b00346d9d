// The graphical host answering the editor's requests on its real widgets: a point typed on
// the command line, objects clicked in the view, a window dragged around the extents, a
// single pick that only takes tables. Runs on a virtual display.
#include <gtest/gtest.h>

#include <sstream>

#include <wx/app.h>

#include "kv/kv.h"
#include "kvgui/GuiEditorActions.h"
#include "kvgui/GuiHost.h"
#include "kvgui/GuiToolkit.h"
#include "shell/HostShell.h"
#include "support/ModelSpace.h"

namespace {

// What a request got, as the test's host commands saw it.
struct Outcome {
    int rc = 0;
    std::vector<std::u16string> handles;
    KvGePoint3d point;
    bool bLineClicked = true, bTableClicked = false;
};

std::vector<std::u16string> selectionHandles(const kv_name ss)
{
    std::vector<std::u16string> out;
    std::int32_t n = 0;
    kvedSSLength(ss, &n);
    for (std::int32_t i = 0; i < n; ++i) {
        kv_name entity;
        kvedSSName(ss, i, entity);
        KvDbObjectId id;
        kvdbGetObjectId(id, entity);
        out.push_back(HandleText(id));
    }
    return out;
}

TEST(GuiEditorInput, RequestsAreAnsweredByTypingClickingAndDraggingInTheMainWindow)
{
    KvConsole::instance().setEcho(false);
    auto pDb = std::make_unique<KvDbDatabase>();
    KvDbDatabase& db = *pDb;
    kvdbHostApplicationServices()->setWorkingDatabase(&db);
    auto* pTable = new KvDbTable;
    pTable->setSize(3, 2);
    pTable->setColumnWidth(20.0);
    pTable->setRowHeight(5.0);
    pTable->setPosition(KvGePoint3d(0, 15, 0));
    const std::u16string table = HandleText(AppendToModelSpace(db, pTable));
    const std::u16string over =
        HandleText(AppendToModelSpace(db, new KvDbLine(KvGePoint3d(0, 7, 0), KvGePoint3d(40, 7, 0))));
    const std::u16string circle = HandleText(AppendToModelSpace(db, new KvDbCircle(KvGePoint3d(80, 30, 0), 10)));
    const std::u16string far =
        HandleText(AppendToModelSpace(db, new KvDbLine(KvGePoint3d(60, -20, 0), KvGePoint3d(100, -10, 0))));

    HostShell shell(std::move(pDb), nullptr);
    Outcome point, clicked, window, pick;
    auto handleOf = [&](const std::u16string& text) { return KvDbHandle::fromText(text); };
    shell.addHostCommand("TESTPOINT", [&](HostShell&, const std::string&) {
        wxTheApp->CallAfter([] { GuiTypeCommandLine("3.5,-4"); });
        double pt[3];
        point.rc = kvedGetPoint(nullptr, u"\nPoint: ", pt);
        point.point = KvGePoint3d(pt[0], pt[1], pt[2]);
    });
    shell.addHostCommand("TESTCLICKS", [&](HostShell&, const std::string&) {
        wxTheApp->CallAfter([&] {
            GuiClickEntity(handleOf(circle));
            GuiClickEntity(handleOf(far));
            GuiTypeCommandLine("");  // Enter ends the selection
        });
        kv_name ss;
        clicked.rc = kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
        clicked.handles = selectionHandles(ss);
        kvedSSFree(ss);
    });
    shell.addHostCommand("TESTWINDOW", [&](HostShell&, const std::string&) {
        wxTheApp->CallAfter([] { GuiDragWindowAroundExtents(); });
        kv_name ss;
        window.rc = kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
        window.handles = selectionHandles(ss);
        kvedSSFree(ss);
    });
    shell.addHostCommand("TESTPICK", [&](HostShell&, const std::string&) {
        wxTheApp->CallAfter([&] {
            // The line lies over the table: a table-only pick cannot take it.
            pick.bLineClicked = GuiClickEntity(handleOf(over));
            pick.bTableClicked = GuiClickEntity(handleOf(table));
        });
        resbuf* pFilter = kvutBuildList(RTDXF0, u"ACAD_TABLE", RTNONE);
        kv_name ss;
        pick.rc = kvedSSGet(u":S", nullptr, nullptr, pFilter, ss);
        kvutRelRb(pFilter);
        if (pick.rc == RTNORM) pick.handles = selectionHandles(ss), kvedSSFree(ss);
    });
    std::istringstream script("TESTPOINT\nTESTCLICKS\nTESTWINDOW\nTESTPICK\n");
    HostOptions options;
    options.bGui = true;
    std::string error;
    ASSERT_TRUE(kvguiStartToolkit("test_gui", error)) << error;
    RunGuiHost(options, shell, nullptr, &script);
    kvguiStopToolkit();

    EXPECT_EQ(point.rc, RTNORM);
    EXPECT_EQ(point.point, KvGePoint3d(3.5, -4, 0));
    EXPECT_EQ(clicked.rc, RTNORM);
    EXPECT_EQ(clicked.handles, (std::vector<std::u16string>{circle, far}));
    EXPECT_EQ(window.rc, RTNORM);
    EXPECT_EQ(window.handles, (std::vector<std::u16string>{table, over, circle, far}));
    EXPECT_FALSE(pick.bLineClicked);
    EXPECT_TRUE(pick.bTableClicked);
    EXPECT_EQ(pick.rc, RTNORM);
    EXPECT_EQ(pick.handles, (std::vector<std::u16string>{table}));
    // Each command's echo reached the command line as the console prints it.
    const std::u16string& transcript = KvConsole::instance().recorded();
    EXPECT_NE(transcript.find(u"\nCommand: TESTPOINT\nPoint: \nCommand: TESTCLICKS\nSelect objects: "),
              std::u16string::npos);
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

}  // namespace
