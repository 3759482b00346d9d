#include <gtest/gtest.h>

#include "kv/KvStatus.h"
#include "shell/ScriptedEditorInput.h"

namespace {
const char* const kScript =
    "# answers for one run\n"
    "objects 2A 2b,3C\n"
    "\n"
    "objects all\n"
    "pick\v1F\n"  // any white space ends a word, as in dialog actions
    "point 10, 20.5\n"
    "point -1,2,3e1\n"
    "objects cancel\n"
    "pick cancel\n"
    "point cancel\n";
}  // namespace

TEST(ScriptedEditorInput, AnswersEachRequestFromTheNextLine)
{
    KvScript script;
    script.load("answers.txt", kScript);
    ScriptedEditorInput input(script);
    std::vector<KvDbHandle> handles;
    bool bAll = true;
    ASSERT_EQ(input.selectObjects(u"", handles, bAll), RTNORM);
    EXPECT_FALSE(bAll);
    EXPECT_EQ(handles, (std::vector<KvDbHandle>{KvDbHandle(0x2A), KvDbHandle(0x2B), KvDbHandle(0x3C)}));
    ASSERT_EQ(input.selectObjects(u"", handles, bAll), RTNORM);
    EXPECT_TRUE(bAll);
    KvDbHandle picked;
    ASSERT_EQ(input.pickObject(u"", picked), RTNORM);
    EXPECT_EQ(picked, KvDbHandle(0x1F));
    KvGePoint3d point;
    ASSERT_EQ(input.getPoint(u"", nullptr, point), RTNORM);
    EXPECT_EQ(point, KvGePoint3d(10, 20.5, 0));
    ASSERT_EQ(input.getPoint(u"", nullptr, point), RTNORM);
    EXPECT_EQ(point, KvGePoint3d(-1, 2, 30));
    EXPECT_EQ(input.selectObjects(u"", handles, bAll), RTCAN);
    EXPECT_EQ(input.pickObject(u"", picked), RTCAN);
    EXPECT_EQ(input.getPoint(u"", nullptr, point), RTCAN);
    EXPECT_FALSE(script.failed());  // cancelling is an answer, not an error
}

TEST(ScriptedEditorInput, WrongOrMalformedLinesAndRunningOutCancelWithOneMessageEach)
{
    KvScript script;
    script.load("bad.txt", "click 1\npoint 1;2\npick zz\nobjects 2A xyz\n");
    ScriptedEditorInput input(script);
    KvGePoint3d point;
    KvDbHandle picked;
    std::vector<KvDbHandle> handles;
    bool bAll = false;
    EXPECT_EQ(input.getPoint(u"", nullptr, point), RTCAN);
    EXPECT_EQ(input.getPoint(u"", nullptr, point), RTCAN);
    EXPECT_EQ(input.pickObject(u"", picked), RTCAN);
    EXPECT_EQ(input.selectObjects(u"", handles, bAll), RTCAN);
    EXPECT_TRUE(handles.empty());
    EXPECT_EQ(input.getPoint(u"", nullptr, point), RTCAN);
    ASSERT_EQ(script.errors().size(), 5u);
    EXPECT_EQ(
        script.errors()[0],
        "ui-script bad.txt line 1: the point request waits for \"point X,Y[,Z]\" or \"point cancel\", not \"click 1\"");
    EXPECT_EQ(script.errors()[1], "ui-script bad.txt line 2: \"1;2\" is not a point (X,Y or X,Y,Z)");
    EXPECT_EQ(script.errors()[2], "ui-script bad.txt line 3: \"zz\" is not a handle");
    EXPECT_EQ(script.errors()[3], "ui-script bad.txt line 4: \"xyz\" is not a handle");
    EXPECT_EQ(script.errors()[4], "ui-script bad.txt ran out: no line answers the point request");
}
