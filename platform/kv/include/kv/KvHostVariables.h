#pragma once
#include <map>
#include <string>

#include "kv/KvTypedValue.h"

// Variables the host keeps for itself (not per drawing): VERLAN (text), CMDECHO (16-bit).
class KvHostVariables {
public:
    static KvHostVariables& instance();

    bool get(const std::u16string& name, KvTypedValue& value) const;  // name ignoring case
    void set(const std::u16string& name, const KvTypedValue& value);
    bool has(const std::u16string& name) const;

private:
    KvHostVariables();
    std::map<std::u16string, KvTypedValue> m_values;  // upper-case names
};
