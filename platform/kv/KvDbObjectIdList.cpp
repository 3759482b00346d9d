#include "kv/KvDbObjectIdList.h"

#include "kv/KvDbObjectIterator.h"

KvDbObjectIdList::KvDbObjectIdList(const KvDbObjectIdList& other)
{
    *this = other;
}

KvDbObjectIdList& KvDbObjectIdList::operator=(const KvDbObjectIdList& other)
{
    if (this == &other) return *this;
    clear();
    if (other.onHeap()) {
        m_list = new std::vector<KvDbObjectId>(*other.m_list);
        m_count = kOnHeap;
    } else {
        m_first = other.m_first;
        m_count = other.m_count;
    }
    return *this;
}

void KvDbObjectIdList::push_back(KvDbObjectId id)
{
    if (!onHeap()) {
        if (m_count == 0 && !id.isNull()) {
            m_first = id.serial();
            m_count = 1;
            return;
        }
        if (m_count > 0 && m_count < kOnHeap - 1 && id.serial() == m_first + m_count) {
            ++m_count;
            return;
        }
        auto* list = new std::vector<KvDbObjectId>(toVector());
        m_list = list;
        m_count = kOnHeap;
    }
    m_list->push_back(id);
}

void KvDbObjectIdList::clear()
{
    if (onHeap()) delete m_list;
    m_first = 0;
    m_count = 0;
}

std::vector<KvDbObjectId> KvDbObjectIdList::toVector() const
{
    if (onHeap()) return *m_list;
    std::vector<KvDbObjectId> ids;
    ids.reserve(m_count);
    for (std::uint32_t i = 0; i < m_count; ++i) ids.emplace_back(m_first + i);
    return ids;
}

KvDbObjectIterator* KvDbObjectIdList::newIterator() const
{
    if (onHeap()) return new KvDbObjectIterator(*m_list);
    return new KvDbObjectIterator(KvDbObjectId(m_first), m_count);
}
