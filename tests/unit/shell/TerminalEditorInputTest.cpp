#include <gtest/gtest.h>

#include <sstream>

#include "kv/KvConsole.h"
#include "kv/KvStatus.h"
#include "shell/TerminalEditorInput.h"

class TerminalEditorInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KvConsole::instance().setEcho(false);
        KvConsole::instance().clearRecorded();
    }
};

TEST_F(TerminalEditorInputTest, ObjectsAccumulateUntilAnEmptyLine)
{
    std::istringstream typed("2A 2B\nnothex 3C\n\nall\ncancel\n");
    TerminalEditorInput input(typed);
    std::vector<KvDbHandle> handles;
    bool bAll = false;
    ASSERT_EQ(input.selectObjects(u"\nSelect objects: ", handles, bAll), RTNORM);
    EXPECT_EQ(handles, (std::vector<KvDbHandle>{KvDbHandle(0x2A), KvDbHandle(0x2B), KvDbHandle(0x3C)}));
    EXPECT_EQ(KvConsole::instance().recorded(),
              u"\nSelect objects: \n\"nothex\" is not a handle.\nSelect objects: ");  // asked again after each line
    ASSERT_EQ(input.selectObjects(u"", handles, bAll), RTNORM);
    EXPECT_TRUE(bAll);
    EXPECT_EQ(input.selectObjects(u"", handles, bAll), RTCAN);
    EXPECT_EQ(input.selectObjects(u"", handles, bAll), RTCAN);  // end of input
}

TEST_F(TerminalEditorInputTest, PointsAndPicksAreAskedAgainUntilValid)
{
    std::istringstream typed("1;2\n 3.5, 4 \nq\n1f\n\n\x1b\n");
    TerminalEditorInput input(typed);
    KvGePoint3d point;
    ASSERT_EQ(input.getPoint(u"\nPoint: ", nullptr, point), RTNORM);
    EXPECT_EQ(point, KvGePoint3d(3.5, 4, 0));
    KvDbHandle handle;
    ASSERT_EQ(input.pickObject(u"\nPick: ", handle), RTNORM);
    EXPECT_EQ(handle, KvDbHandle(0x1F));
    EXPECT_EQ(input.pickObject(u"", handle), RTERROR);      // Enter: nothing picked
    EXPECT_EQ(input.getPoint(u"", nullptr, point), RTCAN);  // Escape
    EXPECT_EQ(KvConsole::instance().recorded(), u"\nA point is x,y or x,y,z.\nPoint: \n\"q\" is not a handle.\nPick: ");
}
