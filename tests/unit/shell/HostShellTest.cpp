#include <gtest/gtest.h>

#include <sstream>

#include "kv/KvConsole.h"
#include "kv/KvDbLine.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvRx.h"
#include "shell/HostShell.h"

class HostShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KvConsole::instance().setEcho(false);
        KvConsole::instance().clearRecorded();
        stack()->addCommand(u"TEST_GROUP", u"COUNTIT", u"countit", KVRX_CMD_MODAL, [] {});
    }
    void TearDown() override { stack()->removeGroup(u"TEST_GROUP"); }
    static KvEdCommandStack* stack()
    {
        return dynamic_cast<KvEdCommandStack*>(kvrxSysRegistry()->at(u"KVMO_REGISTERED_COMMANDS"));
    }
    std::u16string run(const std::string& commands)
    {
        KvConsole::instance().clearRecorded();
        std::istringstream in(commands);
        shell.run(in, false);
        return KvConsole::instance().recorded();
    }
    HostShell shell{std::make_unique<KvDbDatabase>(), nullptr};
};

TEST_F(HostShellTest, HostCommandsAnswerOnTheCommandLine)
{
    // Comments and blank lines are neither run nor echoed.
    EXPECT_EQ(run("# a comment\n\nCOMMANDS\n"), u"\nCommand: COMMANDS\nGroup \"TEST_GROUP\":\n  COUNTIT\n");
    EXPECT_EQ(run("frobnicate now\n"), u"\nCommand: frobnicate now\nUnknown command \"FROBNICATE\".\n");
    EXPECT_EQ(run("SETVAR LUPREC 9\n"),
              u"\nCommand: SETVAR LUPREC 9\nInvalid value \"9\" for LUPREC: expected a whole number from 0 to 8.\n");
    EXPECT_EQ(
        run("SETVAR CMDECHO 1x\n"),
        u"\nCommand: SETVAR CMDECHO 1x\nInvalid value \"1x\" for CMDECHO: expected a whole number from 0 to 1.\n");
    EXPECT_EQ(run("SETVAR VERLAN de-DE\n"), u"\nCommand: SETVAR VERLAN de-DE\nVERLAN is read-only.\n");
    EXPECT_EQ(run("setvar luprec 3\ngetvar LUPREC\n"),
              u"\nCommand: setvar luprec 3\nLUPREC = 3\nCommand: getvar LUPREC\nLUPREC = 3\n");
    EXPECT_EQ(shell.database().luprec(), 3);
    EXPECT_EQ(run("GETVAR\nGETVAR NOPE\n"),
              u"\nCommand: GETVAR\nGETVAR needs a variable name.\nCommand: GETVAR NOPE\nUnknown variable \"NOPE\".\n");
}

TEST_F(HostShellTest, ListShowsHandleKindAndLayerOfLiveEntities)
{
    EXPECT_EQ(run("LIST\n"), u"\nCommand: LIST\nThe drawing holds no entities.\n");
    KvDbBlockTableRecord* pModel = nullptr;
    ASSERT_EQ(kvdbOpenObject(pModel, shell.database().modelSpaceId(), KvDb::kForWrite), Kvmo::eOk);
    auto* pLine = new KvDbLine();
    pLine->setLayer(u"Walls");
    KvDbObjectId id;
    ASSERT_EQ(pModel->appendKvDbEntity(id, pLine), Kvmo::eOk);
    pLine->close();
    pModel->close();
    const std::u16string handle = pLine->handle().text();
    EXPECT_EQ(run("LIST\n"), u"\nCommand: LIST\nHandle   Kind           Layer\n" + handle +
                                 std::u16string(8 - handle.size(), u' ') + u" LINE           Walls\n");
}
