#pragma once
// Runtime-extension interface: the module entry point's messages, the system registry,
// the dynamic linker, the command stack and the document manager.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kv/KvStatus.h"

namespace KvRx {
enum AppMsgCode { kNullMsg = 0, kInitAppMsg = 1, kUnloadAppMsg = 2 };
enum AppRetCode { kRetOK = 0, kRetError = 3 };
}  // namespace KvRx

// Version of the host interface a module must be built for.
constexpr std::uint32_t KVRX_API_VERSION = 0x07E0000C;

// Exported by every module (C linkage).
using KvRxEntryPointFn = KvRx::AppRetCode (*)(KvRx::AppMsgCode msg, void* appId);
using KvRxGetApiVersionFn = std::uint32_t (*)();

class KvRxObject {
public:
    virtual ~KvRxObject() = default;
};

class KvRxDictionary : public KvRxObject {
public:
    KvRxObject* at(const char16_t* key) const;
    void atPut(const std::u16string& key, KvRxObject* object);  // not owned

private:
    std::map<std::u16string, KvRxObject*> m_entries;
};
KvRxDictionary* kvrxSysRegistry();

class KvRxDynamicLinker : public KvRxObject {
public:
    bool unlockApplication(void* appId);
    bool registerAppMDIAware(void* appId);
    bool isUnlocked(void* appId) const;
    bool isMDIAware(void* appId) const;

private:
    std::vector<void*> m_unlocked, m_mdiAware;
};

using KvRxFunctionPtr = void (*)();

constexpr std::int32_t KVRX_CMD_MODAL = 0;
constexpr std::int32_t KVRX_CMD_TRANSPARENT = 1;

struct KvEdCommand {
    std::u16string group, globalName, localName;
    std::int32_t flags = 0;
    KvRxFunctionPtr function = nullptr;
    void* uiContext = nullptr;
    int functionCode = -1;
    void* resourceHandle = nullptr;
};

class KvEdCommandStack : public KvRxObject {
public:
    Kvmo::ErrorStatus addCommand(const char16_t* group, const char16_t* globalName, const char16_t* localName,
                                 std::int32_t flags, KvRxFunctionPtr function, void* uiContext = nullptr,
                                 int functionCode = -1, void* resourceHandle = nullptr);
    Kvmo::ErrorStatus removeGroup(const char16_t* group);
    // By global or local name, ignoring case; null when absent.
    const KvEdCommand* lookupCmd(const std::u16string& name) const;
    const std::vector<KvEdCommand>& commands() const { return m_commands; }

private:
    std::vector<KvEdCommand> m_commands;  // in order of addition
};

class KvApDocument {
public:
    const std::u16string& fileName() const { return m_fileName; }
    void setFileName(const std::u16string& name) { m_fileName = name; }

private:
    std::u16string m_fileName;
};

class KvApDocManager {
public:
    KvApDocument* curDocument() { return &m_document; }
    void pushResourceHandle(void* handle) { m_resources.push_back(handle); }
    void popResourceHandle()
    {
        if (!m_resources.empty()) m_resources.pop_back();
    }
    void* currentResourceHandle() const { return m_resources.empty() ? nullptr : m_resources.back(); }
    std::size_t resourceDepth() const { return m_resources.size(); }

private:
    KvApDocument m_document;
    std::vector<void*> m_resources;
};
KvApDocManager* kvDocManagerPtr();
