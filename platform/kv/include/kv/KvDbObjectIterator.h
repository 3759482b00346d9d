#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "kv/KvDbObjectId.h"

class KvDbDatabase;

// Walks a list of object ids taken when the iterator was made, skipping erased objects.
class KvDbObjectIterator {
public:
    explicit KvDbObjectIterator(std::vector<KvDbObjectId> ids) : m_ids(std::move(ids)), m_size(m_ids.size())
    {
        skipErased();
    }
    // The ids of count consecutive serials from first (as a reference's attributes are): no list.
    KvDbObjectIterator(KvDbObjectId first, std::size_t count) : m_first(first.serial()), m_size(count) { skipErased(); }

    void start()
    {
        m_index = 0;
        skipErased();
    }
    bool done() const { return m_index >= m_size; }
    void step()
    {
        ++m_index;
        skipErased();
    }
    KvDbObjectId objectId() const { return done() ? KvDbObjectId() : at(m_index); }

private:
    KvDbObjectId at(std::size_t index) const { return m_ids.empty() ? KvDbObjectId(m_first + index) : m_ids[index]; }
    void skipErased();
    std::vector<KvDbObjectId> m_ids;
    std::uint64_t m_first = 0;
    std::size_t m_size = 0;
    std::size_t m_index = 0;
    // The drawing of the last object found: its neighbours are most likely its own.
    const KvDbDatabase* m_pDb = nullptr;
};
