#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kv/KvDbObjectId.h"

class KvDbObjectIterator;

// A short list of ids in 16 bytes. Ids of consecutive serials, as a drawing's attributes are
// (each reference's follow it in the file), are kept as the first and the count; any other
// list goes on the heap.
class KvDbObjectIdList {
public:
    KvDbObjectIdList() = default;
    KvDbObjectIdList(const KvDbObjectIdList& other);
    KvDbObjectIdList& operator=(const KvDbObjectIdList& other);
    ~KvDbObjectIdList() { clear(); }

    std::size_t size() const { return onHeap() ? m_list->size() : m_count; }
    bool empty() const { return size() == 0; }
    void push_back(KvDbObjectId id);
    void clear();
    std::vector<KvDbObjectId> toVector() const;
    // A new iterator over the ids (a run needs no list of them).
    KvDbObjectIterator* newIterator() const;

private:
    static constexpr std::uint32_t kOnHeap = 0xFFFFFFFF;
    bool onHeap() const { return m_count == kOnHeap; }

    union {
        std::uint64_t m_first = 0;  // serial of the first id of a run
        std::vector<KvDbObjectId>* m_list;
    };
    std::uint32_t m_count = 0;  // of the run, or kOnHeap
};
