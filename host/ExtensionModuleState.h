#pragma once
// The module-wide record filled when the operating system attaches the module to the
// process and cleared when it detaches.
struct ExtensionModuleState {
    bool bAttached = false;
    void* hostResources = nullptr;       // the resources current when the module attached (the host's)
    void* moduleResources = nullptr;     // the module's own: its instance
    void* pUiExtensionModule = nullptr;  // the user-interface library's record of the module
};

ExtensionModuleState& ModuleState();
// Called by the module's load and unload hooks with the module's instance.
void AttachModule(void* moduleInstance);
void DetachModule();
