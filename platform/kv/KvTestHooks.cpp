#include "kv/KvTestHooks.h"

#include "KvInternal.h"

namespace {
int g_cellWritesLeft = -1;  // negative: no limit
bool g_rejectWidths = false;
bool g_rejectRecompute = false;
}  // namespace

namespace KvTestHooks {
void rejectTableCellWritesAfter(int n)
{
    g_cellWritesLeft = n < 0 ? -1 : n;
}
void rejectColumnWidths(bool reject)
{
    g_rejectWidths = reject;
}
void rejectTableRecompute(bool reject)
{
    g_rejectRecompute = reject;
}
void reset()
{
    g_cellWritesLeft = -1;
    g_rejectWidths = false;
    g_rejectRecompute = false;
}
}  // namespace KvTestHooks

namespace kvinternal {
bool consumeTableCellWrite()
{
    if (g_cellWritesLeft < 0) return true;
    if (g_cellWritesLeft == 0) return false;
    --g_cellWritesLeft;
    return true;
}
bool columnWidthsRejected()
{
    return g_rejectWidths;
}
bool tableRecomputeRejected()
{
    return g_rejectRecompute;
}
}  // namespace kvinternal
