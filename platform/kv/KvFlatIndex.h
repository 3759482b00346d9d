#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Map from non-zero 64-bit keys (handles, id serials) to 64-bit values in one open-addressed
// array: a drawing indexes hundreds of thousands of objects, and a heap node per entry
// would cost more memory and time than the entry itself. Entries are never removed.
class KvFlatIndex {
public:
    // Null when absent.
    const std::uint64_t* find(std::uint64_t key) const;
    bool contains(std::uint64_t key) const { return find(key) != nullptr; }
    // Adds the entry; false, and nothing changed, when the key is there already.
    bool insert(std::uint64_t key, std::uint64_t value);
    std::size_t size() const { return m_size; }
    // Room for n entries without growing.
    void reserve(std::size_t n);

private:
    struct Slot {
        std::uint64_t key = 0;  // 0: free
        std::uint64_t value = 0;
    };
    struct Free {
        void operator()(Slot* slots) const;
    };
    void rehash(std::size_t slots);
    std::size_t slotOf(std::uint64_t key) const;

    // Zeroed by the system as it is touched, not filled up front.
    std::unique_ptr<Slot[], Free> m_slots;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
};

// Positions of ids in the order they were added. Serials come from one increasing
// session-wide counter, so one database's ids form a few long runs of consecutive numbers:
// finding a position is arithmetic on the run, with no per-object index.
class KvSerialRuns {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // serial must be above every serial appended before.
    void append(std::uint64_t serial);
    std::size_t find(std::uint64_t serial) const
    {
        // Most objects are in the last run (a drawing read in one go): no search, no call for them.
        if (!m_runs.empty() && serial >= m_runs.back().first) {
            const Run& last = m_runs.back();
            const std::uint64_t offset = serial - last.first;
            return offset < m_size - last.position ? last.position + static_cast<std::size_t>(offset) : npos;
        }
        return findInEarlierRuns(serial);
    }
    std::size_t size() const { return m_size; }

private:
    std::size_t findInEarlierRuns(std::uint64_t serial) const;
    struct Run {
        std::uint64_t first;
        std::size_t position;
    };
    std::vector<Run> m_runs;
    std::size_t m_size = 0;
};
