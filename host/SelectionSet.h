#pragma once
// A host selection set, freed as soon as it has been read (Free) or when the holder goes,
// whichever way the operation ends.
#include <cstdint>

#include "kv/KvResbuf.h"
#include "kv/KvStatus.h"

class SelectionSet {
public:
    SelectionSet() = default;
    SelectionSet(const SelectionSet&) = delete;
    SelectionSet& operator=(const SelectionSet&) = delete;
    ~SelectionSet() { Free(); }

    // Asks the host for a selection (pszMode as kvedSSGet takes it: null to ask the user, "A"
    // for the whole drawing, ":S" for one pick); true when it is normal and holds an object.
    bool Get(const char16_t* pszMode, const resbuf* pFilter = nullptr);
    // The host's result of the last Get (RTNORM when normal).
    int Status() const { return m_iStatus; }
    void Free();

    const kv_name& Name() const { return m_ss; }
    std::int32_t Count() const { return m_nCount; }

private:
    kv_name m_ss = {0, 0};
    int m_iStatus = RTERROR;
    std::int32_t m_nCount = 0;
    bool m_bHeld = false;
};
