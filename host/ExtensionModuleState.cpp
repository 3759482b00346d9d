#include "host/ExtensionModuleState.h"

#include "kv/KvRx.h"

ExtensionModuleState& ModuleState()
{
    static ExtensionModuleState state;
    return state;
}

void AttachModule(void* moduleInstance)
{
    ExtensionModuleState& state = ModuleState();
    if (!state.bAttached) state.bAttached = moduleInstance != nullptr;
    state.hostResources = kvDocManagerPtr()->currentResourceHandle();
    state.moduleResources = moduleInstance;
    // The user-interface library keeps no chain of resource modules: the module's texts
    // and dialog templates are found through its own tables, so there is no record to make.
    state.pUiExtensionModule = nullptr;
}

void DetachModule()
{
    ModuleState() = ExtensionModuleState();
}
