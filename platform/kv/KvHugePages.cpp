#include "kvinternal/KvHugePages.h"

#include <sys/mman.h>

#include <cstdint>

void kvAdviseHugePages(const void* data, std::size_t bytes)
{
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHuge - 1);
    // Only whole huge pages inside the block: advice on memory around it is not ours to give.
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}
