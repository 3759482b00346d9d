#include <gtest/gtest.h>

#include "kv/KvRx.h"
#include "shell/PluginModule.h"

namespace {

std::string libraryPath(const std::string& name)
{
    return std::string(KV_BINARY_DIR) + "/lib/" + name;
}

KvEdCommandStack& commandStack()
{
    return *dynamic_cast<KvEdCommandStack*>(kvrxSysRegistry()->at(u"KVMO_REGISTERED_COMMANDS"));
}

}  // namespace

// Refused modules are checked through kvhost (host_bad_input.sh).
TEST(PluginModule, LoadMessageRegistersTheGroupAndUnloadMessageRemovesIt)
{
    PluginModule module;
    std::string error;
    ASSERT_TRUE(module.load(libraryPath("dataextraction.so"), error)) << error;
    const std::size_t resourceDepth = kvDocManagerPtr()->resourceDepth();
    ASSERT_EQ(module.send(KvRx::kInitAppMsg), KvRx::kRetOK);

    const auto& commands = commandStack().commands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].group, u"KRX_DATA_EXTRACT");
    EXPECT_EQ(commands[0].globalName, u"DATAEXTRACTION");
    EXPECT_EQ(commands[0].flags, KVRX_CMD_MODAL);
    EXPECT_NE(commands[0].resourceHandle, nullptr);  // the module's own resources
    EXPECT_EQ(commands[1].globalName, u"DATAEXTRACTIONUPDATE");
    EXPECT_EQ(commands[1].flags, KVRX_CMD_TRANSPARENT);
    EXPECT_EQ(commands[1].resourceHandle, nullptr);
    EXPECT_EQ(commands[1].functionCode, -1);
    EXPECT_EQ(kvDocManagerPtr()->resourceDepth(), resourceDepth);  // pushed and popped again

    auto* pLinker = dynamic_cast<KvRxDynamicLinker*>(kvrxSysRegistry()->at(u"DynamicLinker"));
    ASSERT_NE(pLinker, nullptr);
    EXPECT_TRUE(pLinker->isUnlocked(module.appId()));
    EXPECT_TRUE(pLinker->isMDIAware(module.appId()));

    EXPECT_EQ(module.send(KvRx::kNullMsg), KvRx::kRetOK);  // other messages change nothing
    EXPECT_EQ(commands.size(), 2u);
    // Unloading takes the plug-in's group and leaves another application's commands.
    ASSERT_EQ(commandStack().addCommand(u"OTHER_APP", u"OTHERCMD", u"OTHERCMD", 0, [] {}), Kvmo::eOk);
    ASSERT_EQ(module.send(KvRx::kUnloadAppMsg), KvRx::kRetOK);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].group, u"OTHER_APP");
    commandStack().removeGroup(u"OTHER_APP");
    module.unload();
}
