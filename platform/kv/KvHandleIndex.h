#pragma once
#include <cstdint>
#include <vector>

#include "KvFlatIndex.h"

// Map from handles to id serials. A drawing's objects mostly take their handles in long runs
// (the object after handle h has h + 1, and the next serial): a run is kept as three numbers
// instead of an entry per object. Handles that arrive below the runs' end (a file's OBJECTS
// section after its ENTITIES, a handle far ahead of the others) go into a hash index.
// Serials more than 4 G from the first go into the hash index too. Entries are never removed.
class KvHandleIndex {
public:
    // False when absent.
    bool find(std::uint64_t handle, std::uint64_t& serial) const;
    // Adds the entry; false, and nothing changed, when the handle is there already, is 0
    // or is the last one (~0: nothing fits above it).
    bool insert(std::uint64_t handle, std::uint64_t serial);

private:
    // Sixteen bytes: a drawing whose handles skip a number after each block reference (its end
    // marker) has a run per reference.
    struct Run {
        std::uint64_t handle;  // the first
        std::uint32_t serial;  // of the first, from m_firstSerial on
        std::uint32_t count;
    };
    bool findInRuns(std::uint64_t handle, std::uint64_t& serial) const;

    std::vector<Run> m_runs;          // by handle; each above the one before
    std::uint64_t m_firstSerial = 0;  // of the first entry
    // Above every handle of m_runs and of m_others: a handle from here on is new.
    std::uint64_t m_end = 1;
    KvFlatIndex m_others;
};
