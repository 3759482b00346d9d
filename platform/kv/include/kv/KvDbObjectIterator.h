#pragma once
#include <vector>

#include "kv/KvDbObjectId.h"

// Walks a list of object ids taken when the iterator was made, skipping erased objects.
class KvDbObjectIterator {
public:
    explicit KvDbObjectIterator(std::vector<KvDbObjectId> ids) : m_ids(std::move(ids)) { skipErased(); }

    void start()
    {
        m_index = 0;
        skipErased();
    }
    bool done() const { return m_index >= m_ids.size(); }
    void step()
    {
        ++m_index;
        skipErased();
    }
    KvDbObjectId objectId() const { return done() ? KvDbObjectId() : m_ids[m_index]; }

private:
    void skipErased();
    std::vector<KvDbObjectId> m_ids;
    std::size_t m_index = 0;
};
