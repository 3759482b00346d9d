#include "KvFlatIndex.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

#include "kvinternal/KvHugePages.h"

std::size_t KvFlatIndex::slotOf(std::uint64_t key) const
{
    // Handles and serials are mostly consecutive: runs of 16 keep their order, side by side
    // in memory (one table line after the other as a file is read), and the runs are mixed
    // so that they spread over the table.
    std::uint64_t run = key >> 4;
    run ^= run >> 33;
    run *= 0xff51afd7ed558ccdULL;
    run ^= run >> 33;
    return static_cast<std::size_t>(run << 4 | (key & 15)) & (m_capacity - 1);
}

const std::uint64_t* KvFlatIndex::find(std::uint64_t key) const
{
    if (m_capacity == 0 || key == 0) return nullptr;
    for (std::size_t i = slotOf(key);; i = (i + 1) & (m_capacity - 1)) {
        const Slot& slot = m_slots[i];
        if (slot.key == key) return &slot.value;
        if (slot.key == 0) return nullptr;
    }
}

bool KvFlatIndex::insert(std::uint64_t key, std::uint64_t value)
{
    if (key == 0) return false;
    if ((m_size + 1) * 4 > m_capacity * 3) rehash(m_capacity == 0 ? 16 : m_capacity * 2);
    for (std::size_t i = slotOf(key);; i = (i + 1) & (m_capacity - 1)) {
        Slot& slot = m_slots[i];
        if (slot.key == key) return false;
        if (slot.key == 0) {
            slot = Slot{key, value};
            ++m_size;
            return true;
        }
    }
}

void KvFlatIndex::reserve(std::size_t n)
{
    std::size_t slots = 16;
    while (slots * 3 < n * 4) slots *= 2;
    if (slots > m_capacity) rehash(slots);
}

void KvFlatIndex::Free::operator()(Slot* slots) const
{
    std::free(slots);
}

void KvFlatIndex::rehash(std::size_t slots)
{
    std::unique_ptr<Slot[], Free> old(static_cast<Slot*>(std::calloc(slots, sizeof(Slot))));
    if (!old) throw std::bad_alloc();
    kvAdviseHugePages(old.get(), slots * sizeof(Slot));
    old.swap(m_slots);
    const std::size_t oldCapacity = std::exchange(m_capacity, slots);
    m_size = 0;
    for (std::size_t i = 0; i < oldCapacity; ++i)
        if (old[i].key != 0) insert(old[i].key, old[i].value);
}

void KvSerialRuns::append(std::uint64_t serial)
{
    if (m_runs.empty() || m_runs.back().first + (m_size - m_runs.back().position) != serial)
        m_runs.push_back(Run{serial, m_size});
    ++m_size;
}

std::size_t KvSerialRuns::findInEarlierRuns(std::uint64_t serial) const
{
    auto next = std::upper_bound(m_runs.begin(), m_runs.end(), serial,
                                 [](std::uint64_t s, const Run& run) { return s < run.first; });
    if (next == m_runs.begin()) return npos;
    const Run& run = *(next - 1);
    const std::size_t end = next == m_runs.end() ? m_size : next->position;
    const std::uint64_t offset = serial - run.first;
    return offset < end - run.position ? run.position + static_cast<std::size_t>(offset) : npos;
}
