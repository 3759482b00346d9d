#include "host/SelectionSet.h"

#include "kv/KvEdFunctions.h"

bool SelectionSet::Get(const char16_t* pszMode, const resbuf* pFilter)
{
    Free();
    m_nCount = 0;
    m_iStatus = kvedSSGet(pszMode, nullptr, nullptr, pFilter, m_ss);
    m_bHeld = true;
    return m_iStatus == RTNORM && kvedSSLength(m_ss, &m_nCount) == RTNORM && m_nCount > 0;
}

void SelectionSet::Free()
{
    if (!m_bHeld) return;
    kvedSSFree(m_ss);
    m_bHeld = false;
}
