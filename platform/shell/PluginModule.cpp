#include "shell/PluginModule.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

namespace {

std::string hexVersion(std::uint32_t version)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", version);
    return text;
}

}  // namespace

PluginModule::~PluginModule()
{
    unload();
}

bool PluginModule::load(const std::string& path, std::string& error)
{
    unload();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "cannot load module \"" + path + "\": no such file";
        return false;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = "cannot load module \"" + path + "\": " + (reason ? reason : "unknown reason");
        return false;
    }
    auto entryPoint = reinterpret_cast<KvRxEntryPointFn>(dlsym(handle, "kvrxEntryPoint"));
    auto getVersion = reinterpret_cast<KvRxGetApiVersionFn>(dlsym(handle, "kvrxGetApiVersion"));
    if (entryPoint == nullptr || getVersion == nullptr) {
        const char* missing = (entryPoint == nullptr && getVersion == nullptr) ? "kvrxEntryPoint and kvrxGetApiVersion"
                              : entryPoint == nullptr                          ? "kvrxEntryPoint"
                                                                               : "kvrxGetApiVersion";
        error = "\"" + path + "\" is not a plug-in module: it does not export " + missing;
        dlclose(handle);
        return false;
    }
    const std::uint32_t version = getVersion();
    if (version != KVRX_API_VERSION) {
        error = "\"" + path + "\" is built for host interface version " + hexVersion(version) + ", this host offers " +
                hexVersion(KVRX_API_VERSION);
        dlclose(handle);
        return false;
    }
    m_handle = handle;
    m_entryPoint = entryPoint;
    return true;
}

KvRx::AppRetCode PluginModule::send(KvRx::AppMsgCode message)
{
    return m_entryPoint ? m_entryPoint(message, m_handle) : KvRx::kRetError;
}

void PluginModule::unload()
{
    if (m_handle) dlclose(m_handle);
    m_handle = nullptr;
    m_entryPoint = nullptr;
}
