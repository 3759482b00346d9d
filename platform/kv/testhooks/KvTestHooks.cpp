#include "kvtest/KvTestHooks.h"

#include "kvinternal/KvFaultInjection.h"

namespace KvTestHooks {
void rejectTableCellWritesAfter(int n)
{
    kvFaultInjection().cellWritesLeft = n < 0 ? -1 : n;
}
void rejectColumnWidths(bool reject)
{
    kvFaultInjection().rejectColumnWidths = reject;
}
void rejectTableRecompute(bool reject)
{
    kvFaultInjection().rejectTableRecompute = reject;
}
void reset()
{
    kvFaultInjection() = KvFaultInjection{};
}
}  // namespace KvTestHooks
