#include <gtest/gtest.h>

#include "host/CommandRegistration.h"
#include "host/ExtensionModuleState.h"
#include "kv/KvRx.h"

namespace {

KvEdCommandStack& commandStack()
{
    return *dynamic_cast<KvEdCommandStack*>(kvrxSysRegistry()->at(u"KVMO_REGISTERED_COMMANDS"));
}
void otherCommand() {}

}  // namespace

TEST(CommandRegistration, UnloadRemovesTheWholeGroupAndNothingElse)
{
    int instance = 0;
    AttachModule(&instance);
    ASSERT_EQ(commandStack().addCommand(u"OTHER_APP", u"OTHERCMD", u"OTHERCMD", 0, otherCommand), Kvmo::eOk);
    ASSERT_EQ(HandleAppMessage(KvRx::kInitAppMsg, &instance), KvRx::kRetOK);
    ASSERT_NE(commandStack().lookupCmd(u"dataextraction"), nullptr);
    EXPECT_EQ(commandStack().lookupCmd(u"DATAEXTRACTION")->resourceHandle, &instance);
    ASSERT_NE(commandStack().lookupCmd(u"DATAEXTRACTIONUPDATE"), nullptr);

    ASSERT_EQ(HandleAppMessage(KvRx::kUnloadAppMsg, &instance), KvRx::kRetOK);
    EXPECT_EQ(commandStack().lookupCmd(u"DATAEXTRACTION"), nullptr);
    EXPECT_EQ(commandStack().lookupCmd(u"DATAEXTRACTIONUPDATE"), nullptr);
    EXPECT_NE(commandStack().lookupCmd(u"OTHERCMD"), nullptr);
    commandStack().removeGroup(u"OTHER_APP");
    DetachModule();
    EXPECT_FALSE(ModuleState().bAttached);
}
