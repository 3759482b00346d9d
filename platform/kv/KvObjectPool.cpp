#include "KvObjectPool.h"

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <new>
#include <tuple>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KV_POOL_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KV_POOL_OFF 1
#endif
#endif

#ifndef KV_POOL_OFF
namespace {

constexpr std::size_t kGrain = 8;       // the objects hold at most 8-byte values: 8-byte alignment suffices
constexpr std::size_t kLargest = 1024;  // larger objects (tables) come from the heap
constexpr std::size_t kBlock = std::size_t(2) << 20;

struct FreeObject {
    FreeObject* next;
};

constexpr std::size_t kClasses = kLargest / kGrain + 1;

// What the pools of ended threads leave: the unused rest of their last block and their freed
// objects, taken up by the next pool that needs a block (a host opens a large drawing on a
// second thread each time: it must not grow by a block per opening).
struct Leftovers {
    std::mutex lock;
    std::vector<std::pair<char*, char*>> rests;
    FreeObject* free[kClasses] = {};
};
Leftovers& leftovers()
{
    static auto* l = new Leftovers;  // never destroyed: threads may end after the statics go
    return *l;
}

struct Pool {
    FreeObject* free[kClasses] = {};
    char* next = nullptr;
    char* end = nullptr;

    Pool() = default;
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;
    ~Pool()
    {
        Leftovers& l = leftovers();
        const std::lock_guard<std::mutex> hold(l.lock);
        // A rest serves any size the pool gives; a smaller one is not worth keeping.
        if (end - next >= static_cast<std::ptrdiff_t>(kLargest)) {
            try {
                l.rests.emplace_back(next, end);
            } catch (const std::bad_alloc&) {
            }
        }
        for (std::size_t c = 0; c < kClasses; ++c) splice(l.free[c], free[c]);
    }

    // Appends list `from` to list `to`.
    static void splice(FreeObject*& to, FreeObject* from)
    {
        if (from == nullptr) return;
        FreeObject* last = from;
        while (last->next != nullptr) last = last->next;
        last->next = to;
        to = from;
    }

    // Another pool's leftovers first; then a block aligned on its size, so that the system can
    // map it with one huge page.
    void newBlock()
    {
        {
            Leftovers& l = leftovers();
            const std::lock_guard<std::mutex> hold(l.lock);
            for (std::size_t c = 0; c < kClasses; ++c) {
                splice(free[c], l.free[c]);
                l.free[c] = nullptr;
            }
            if (!l.rests.empty()) {
                std::tie(next, end) = l.rests.back();
                l.rests.pop_back();
                return;
            }
        }
        void* raw = ::mmap(nullptr, 2 * kBlock, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED) throw std::bad_alloc();
        auto at = reinterpret_cast<std::uintptr_t>(raw);
        std::uintptr_t aligned = (at + kBlock - 1) & ~(kBlock - 1);
        if (aligned > at) ::munmap(raw, aligned - at);
        std::uintptr_t tail = aligned + kBlock;
        if (at + 2 * kBlock > tail) ::munmap(reinterpret_cast<void*>(tail), at + 2 * kBlock - tail);
        ::madvise(reinterpret_cast<void*>(aligned), kBlock, MADV_HUGEPAGE);
        next = reinterpret_cast<char*>(aligned);
        end = next + kBlock;
    }
};

// One pool per thread: the drawing reader builds objects on two. An object freed on another
// thread than the one that made it joins that thread's free list.
Pool& pool()
{
    thread_local Pool p;
    return p;
}

}  // namespace
#endif

void* kvPoolAllocate(std::size_t size)
{
#ifdef KV_POOL_OFF
    return ::operator new(size);
#else
    if (size == 0 || size > kLargest) return ::operator new(size);
    const std::size_t sizeClass = (size + kGrain - 1) / kGrain;
    Pool& p = pool();
    if (FreeObject* reused = p.free[sizeClass]) {
        p.free[sizeClass] = reused->next;
        return reused;
    }
    const std::size_t bytes = sizeClass * kGrain;
    if (static_cast<std::size_t>(p.end - p.next) < bytes) p.newBlock();
    void* object = p.next;
    p.next += bytes;
    return object;
#endif
}

void kvPoolRelease(void* object, std::size_t size) noexcept
{
    if (object == nullptr) return;
#ifdef KV_POOL_OFF
    (void)size;
    ::operator delete(object);
#else
    if (size == 0 || size > kLargest) {
        ::operator delete(object);
        return;
    }
    const std::size_t sizeClass = (size + kGrain - 1) / kGrain;
    Pool& p = pool();
    auto* freed = static_cast<FreeObject*>(object);
    freed->next = p.free[sizeClass];
    p.free[sizeClass] = freed;
#endif
}
