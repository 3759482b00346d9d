#include "kvinternal/KvFaultInjection.h"

#include "KvInternal.h"

KvFaultInjection& kvFaultInjection()
{
    static KvFaultInjection state;
    return state;
}

namespace kvinternal {
bool consumeTableCellWrite()
{
    int& left = kvFaultInjection().cellWritesLeft;
    if (left < 0) return true;
    if (left == 0) return false;
    --left;
    return true;
}
bool columnWidthsRejected()
{
    return kvFaultInjection().rejectColumnWidths;
}
bool tableRecomputeRejected()
{
    return kvFaultInjection().rejectTableRecompute;
}
}  // namespace kvinternal
