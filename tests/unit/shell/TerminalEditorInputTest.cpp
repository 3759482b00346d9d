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
    std::istringstream typed("2A 2B\nnothex 3C\n\nall\n\ncancel\n");
    TerminalEditorInput input(typed);
    std::vector<KvDbHandle> handles;
    bool bAll = false;
    ASSERT_EQ(input.selectObjects(u"\nSelect objects: ", handles, bAll), RTNORM);
    EXPECT_EQ(handles, (std::vector<KvDbHandle>{KvDbHandle(0x2A), KvDbHandle(0x2B), KvDbHandle(0x3C)}));
    // Asked again after each line; every prompt says what to type and how to get out.
    EXPECT_EQ(KvConsole::instance().recorded(),
              u"(handles, or all; an empty line cancels) "
              u"\nSelect objects: (more handles; an empty line ends the selection) "
              u"\n\"nothex\" is not a handle.\nSelect objects: (more handles; an empty line ends the selection) ");
    ASSERT_EQ(input.selectObjects(u"", handles, bAll), RTNORM);
    EXPECT_TRUE(bAll);
    // Enter with nothing chosen cancels, as do "cancel" and the end of the input.
    EXPECT_EQ(input.selectObjects(u"", handles, bAll), RTCAN);
    EXPECT_EQ(input.selectObjects(u"", handles, bAll), RTCAN);
    EXPECT_EQ(input.selectObjects(u"", handles, bAll), RTCAN);
}

TEST_F(TerminalEditorInputTest, PointsAndPicksAreAskedAgainUntilValidAndAnEmptyLineCancels)
{
    std::istringstream typed("1;2\n 3.5, 4 \nq\n1f\n\n\n\x1b\n");
    TerminalEditorInput input(typed);
    KvGePoint3d point;
    ASSERT_EQ(input.getPoint(u"\nPoint:", nullptr, point), RTNORM);
    EXPECT_EQ(point, KvGePoint3d(3.5, 4, 0));
    KvDbHandle handle;
    ASSERT_EQ(input.pickObject(u"\nPick: ", handle), RTNORM);
    EXPECT_EQ(handle, KvDbHandle(0x1F));
    EXPECT_EQ(input.pickObject(u"", handle), RTCAN);
    EXPECT_EQ(input.getPoint(u"", nullptr, point), RTCAN);
    EXPECT_EQ(input.getPoint(u"", nullptr, point), RTCAN);  // Escape
    EXPECT_EQ(KvConsole::instance().recorded(),
              u" (x,y or x,y,z; an empty line cancels) \nA point is x,y or x,y,z.\nPoint: (x,y or x,y,z; an empty "
              u"line cancels) (a handle; an empty line cancels) \n\"q\" is not a handle.\nPick: (a handle; an empty "
              u"line cancels) (a handle; an empty line cancels) (x,y or x,y,z; an empty line cancels) (x,y or x,y,z; "
              u"an empty line cancels) ");
}
