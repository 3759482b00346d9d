#include "host/CommandRegistration.h"

#include "host/CommandHandlers.h"
#include "host/ExtensionModuleState.h"

const char16_t* const kCommandGroup = u"KRX_DATA_EXTRACT";

namespace {

KvEdCommandStack* commandStack()
{
    return dynamic_cast<KvEdCommandStack*>(kvrxSysRegistry()->at(u"KVMO_REGISTERED_COMMANDS"));
}

// Pops the module's resources however registration ends.
struct ResourceScope {
    explicit ResourceScope(void* resources) { kvDocManagerPtr()->pushResourceHandle(resources); }
    ~ResourceScope() { kvDocManagerPtr()->popResourceHandle(); }
    ResourceScope(const ResourceScope&) = delete;
    ResourceScope& operator=(const ResourceScope&) = delete;
};

}  // namespace

void RegisterCommands()
{
    void* moduleResources = ModuleState().moduleResources;
    ResourceScope scope(moduleResources);
    // The host's answers are not examined: a refused command is simply missing.
    if (KvEdCommandStack* pStack = commandStack())
        pStack->addCommand(kCommandGroup, u"DATAEXTRACTION", u"DATAEXTRACTION", KVRX_CMD_MODAL, DataExtractionCommand,
                           nullptr, -1, moduleResources);
    if (KvEdCommandStack* pStack = commandStack())
        pStack->addCommand(kCommandGroup, u"DATAEXTRACTIONUPDATE", u"DATAEXTRACTIONUPDATE", KVRX_CMD_TRANSPARENT,
                           DataExtractionUpdateCommand, nullptr, -1, nullptr);
}

void UnregisterCommands()
{
    if (KvEdCommandStack* pStack = commandStack()) pStack->removeGroup(kCommandGroup);
}

KvRx::AppRetCode HandleAppMessage(KvRx::AppMsgCode message, void* appId)
{
    switch (message) {
    case KvRx::kInitAppMsg:
        if (auto* pLinker = dynamic_cast<KvRxDynamicLinker*>(kvrxSysRegistry()->at(u"DynamicLinker"))) {
            pLinker->unlockApplication(appId);
            pLinker->registerAppMDIAware(appId);
        }
        RegisterCommands();
        break;
    case KvRx::kUnloadAppMsg: UnregisterCommands(); break;
    default: break;
    }
    return KvRx::kRetOK;
}
