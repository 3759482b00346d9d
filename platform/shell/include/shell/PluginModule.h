#pragma once
// A plug-in module loaded by file name and talked to through its two exported entry points.
#include <string>

#include "kv/KvRx.h"

class PluginModule {
public:
    PluginModule() = default;
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // Loads and checks the module; false with a one-line reason (nothing stays loaded).
    bool load(const std::string& path, std::string& error);
    bool isLoaded() const { return m_handle != nullptr; }
    // The module's answer to a message; the application id is the module's handle.
    KvRx::AppRetCode send(KvRx::AppMsgCode message);
    void unload();
    void* appId() const { return m_handle; }

private:
    void* m_handle = nullptr;
    KvRxEntryPointFn m_entryPoint = nullptr;
};
