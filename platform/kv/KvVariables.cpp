#include "kv/KvHostVariables.h"

#include "KvInternal.h"
#include "kvinternal/KvAsciiCase.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvUiLanguage.h"

namespace {

const std::u16string kVerlan = u"VERLAN";
const std::u16string kCmdecho = u"CMDECHO";
const std::u16string kLuprec = u"LUPREC";

// The host's language version follows its user-interface language unless set.
std::u16string defaultVerlan()
{
    switch (kvGetUiLanguage()) {
    case KvUiLanguage::French: return u"fr-FR";
    case KvUiLanguage::Spanish: return u"es-ES";
    case KvUiLanguage::English: break;
    }
    return u"en-US";
}

bool integerValue(const resbuf* value, long& out)
{
    if (value == nullptr) return false;
    if (value->restype == RTSHORT) {
        out = value->resval.rint;
        return true;
    }
    if (value->restype == RTLONG) {
        out = value->resval.rlong;
        return true;
    }
    return false;
}

}  // namespace

KvHostVariables::KvHostVariables()
{
    m_values[kCmdecho] = KvTypedValue(RTSHORT, std::int64_t{1});
}

KvHostVariables& KvHostVariables::instance()
{
    static KvHostVariables variables;
    return variables;
}

bool KvHostVariables::get(const std::u16string& name, KvTypedValue& value) const
{
    const std::u16string key = kvAsciiUpper(name);
    const auto it = m_values.find(key);
    if (it != m_values.end()) {
        value = it->second;
        return true;
    }
    if (key == kVerlan) {
        value = KvTypedValue(RTSTR, defaultVerlan());
        return true;
    }
    return false;
}

void KvHostVariables::set(const std::u16string& name, const KvTypedValue& value)
{
    m_values[kvAsciiUpper(name)] = value;
}

bool KvHostVariables::has(const std::u16string& name) const
{
    KvTypedValue unused;
    return get(name, unused);
}

int kvedGetVar(const char16_t* name, resbuf* result)
{
    if (name == nullptr || result == nullptr) return RTERROR;
    const std::u16string key = kvAsciiUpper(name);
    if (key == kLuprec) {
        const KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
        if (pDb == nullptr) return RTERROR;
        result->restype = RTSHORT;
        result->resval.rint = pDb->luprec();
        return RTNORM;
    }
    KvTypedValue value;
    if (!KvHostVariables::instance().get(key, value)) return RTERROR;
    if (const std::u16string* pText = value.text()) {
        result->restype = RTSTR;
        result->resval.rstring = kvutNewString(pText->c_str());
    } else if (const std::int64_t* pInt = value.integer()) {
        result->restype = RTSHORT;
        result->resval.rint = static_cast<short>(*pInt);
    } else if (const double* pReal = value.real()) {
        result->restype = RTREAL;
        result->resval.rreal = *pReal;
    } else {
        return RTERROR;
    }
    return RTNORM;
}

int kvedSetVar(const char16_t* name, const resbuf* value)
{
    if (name == nullptr) return RTERROR;
    const std::u16string key = kvAsciiUpper(name);
    long n = 0;
    if (key == kLuprec) {
        KvDbDatabase* pDb = kvdbHostApplicationServices()->workingDatabase();
        if (pDb == nullptr || !integerValue(value, n) || n < 0 || n > 8) return RTERROR;
        pDb->setLuprec(static_cast<short>(n));
        return RTNORM;
    }
    if (key == kCmdecho) {
        if (!integerValue(value, n) || (n != 0 && n != 1)) return RTERROR;
        KvHostVariables::instance().set(kCmdecho, KvTypedValue(RTSHORT, static_cast<std::int64_t>(n)));
        return RTNORM;
    }
    return RTERROR;  // unknown, or read-only such as VERLAN
}
