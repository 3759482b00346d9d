#include "kv/KvRx.h"

#include <algorithm>

#include "KvInternal.h"
#include "kvinternal/KvAsciiCase.h"

KvRxObject* KvRxDictionary::at(const char16_t* key) const
{
    if (key == nullptr) return nullptr;
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : it->second;
}

void KvRxDictionary::atPut(const std::u16string& key, KvRxObject* object)
{
    if (object == nullptr)
        m_entries.erase(key);
    else
        m_entries[key] = object;
}

KvRxDictionary* kvrxSysRegistry()
{
    static KvRxDynamicLinker linker;
    static KvEdCommandStack commands;
    static KvRxDictionary registry = [] {
        KvRxDictionary d;
        d.atPut(u"DynamicLinker", &linker);
        d.atPut(u"KVMO_REGISTERED_COMMANDS", &commands);
        return d;
    }();
    return &registry;
}

bool KvRxDynamicLinker::unlockApplication(void* appId)
{
    if (!isUnlocked(appId)) m_unlocked.push_back(appId);
    return true;
}

bool KvRxDynamicLinker::registerAppMDIAware(void* appId)
{
    if (!isMDIAware(appId)) m_mdiAware.push_back(appId);
    return true;
}

bool KvRxDynamicLinker::isUnlocked(void* appId) const
{
    return std::find(m_unlocked.begin(), m_unlocked.end(), appId) != m_unlocked.end();
}

bool KvRxDynamicLinker::isMDIAware(void* appId) const
{
    return std::find(m_mdiAware.begin(), m_mdiAware.end(), appId) != m_mdiAware.end();
}

Kvmo::ErrorStatus KvEdCommandStack::addCommand(const char16_t* group, const char16_t* globalName,
                                               const char16_t* localName, std::int32_t flags, KvRxFunctionPtr function,
                                               void* uiContext, int functionCode, void* resourceHandle)
{
    if (group == nullptr || globalName == nullptr || *group == 0 || *globalName == 0 || function == nullptr)
        return Kvmo::eInvalidInput;
    const std::u16string csLocal = (localName && *localName) ? localName : globalName;
    if (lookupCmd(globalName) || lookupCmd(csLocal)) return Kvmo::eDuplicateKey;
    m_commands.push_back({group, globalName, csLocal, flags, function, uiContext, functionCode, resourceHandle});
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvEdCommandStack::removeGroup(const char16_t* group)
{
    if (group == nullptr) return Kvmo::eInvalidInput;
    const auto before = m_commands.size();
    std::erase_if(m_commands, [&](const KvEdCommand& c) { return kvAsciiEqualNoCase(c.group, group); });
    return m_commands.size() == before ? Kvmo::eKeyNotFound : Kvmo::eOk;
}

const KvEdCommand* KvEdCommandStack::lookupCmd(const std::u16string& name) const
{
    for (const KvEdCommand& c : m_commands)
        if (kvAsciiEqualNoCase(c.globalName, name) || kvAsciiEqualNoCase(c.localName, name)) return &c;
    return nullptr;
}

KvApDocManager* kvDocManagerPtr()
{
    static KvApDocManager manager;
    return &manager;
}
