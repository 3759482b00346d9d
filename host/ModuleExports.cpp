// The module's only exported symbols, and its load and unload hooks.
#include <dlfcn.h>

#include <cstdint>

#include "host/CommandRegistration.h"
#include "host/ExtensionModuleState.h"

#define KV_EXPORT extern "C" __attribute__((visibility("default")))

KV_EXPORT KvRx::AppRetCode kvrxEntryPoint(KvRx::AppMsgCode message, void* appId)
{
    return HandleAppMessage(message, appId);
}

KV_EXPORT std::uint32_t kvrxGetApiVersion()
{
    return 0x07E0000C;
}

namespace {

// The module's instance is its load address, as the loader reports it.
__attribute__((constructor)) void OnModuleAttach()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OnModuleAttach), &info) != 0) AttachModule(info.dli_fbase);
}

__attribute__((destructor)) void OnModuleDetach()
{
    DetachModule();
}

}  // namespace
