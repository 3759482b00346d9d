#include "KvHandleIndex.h"

#include <algorithm>

bool KvHandleIndex::findInRuns(std::uint64_t handle, std::uint64_t& serial) const
{
    auto next = std::upper_bound(m_runs.begin(), m_runs.end(), handle,
                                 [](std::uint64_t h, const Run& run) { return h < run.handle; });
    if (next == m_runs.begin()) return false;
    const Run& run = *(next - 1);
    if (handle - run.handle >= run.count) return false;
    serial = m_firstSerial + run.serial + (handle - run.handle);
    return true;
}

bool KvHandleIndex::find(std::uint64_t handle, std::uint64_t& serial) const
{
    if (handle == 0 || handle >= m_end) return false;
    if (findInRuns(handle, serial)) return true;
    const std::uint64_t* other = m_others.find(handle);
    if (other == nullptr) return false;
    serial = *other;
    return true;
}

bool KvHandleIndex::insert(std::uint64_t handle, std::uint64_t serial)
{
    if (handle == 0 || handle == ~std::uint64_t{0}) return false;
    if (m_runs.empty() && m_end == 1) m_firstSerial = serial;
    if (handle < m_end) {
        std::uint64_t known = 0;
        if (findInRuns(handle, known)) return false;
        return m_others.insert(handle, serial);
    }
    if (serial < m_firstSerial || serial - m_firstSerial > UINT32_MAX) {
        m_others.insert(handle, serial);
        m_end = handle + 1;
        return true;
    }
    // Above everything: new, and it continues the last run or starts one.
    if (!m_runs.empty()) {
        Run& last = m_runs.back();
        if (handle == last.handle + last.count && serial - m_firstSerial == std::uint64_t{last.serial} + last.count &&
            last.count < UINT32_MAX) {
            ++last.count;
            m_end = handle + 1;
            return true;
        }
    }
    m_runs.push_back(Run{handle, static_cast<std::uint32_t>(serial - m_firstSerial), 1});
    m_end = handle + 1;
    return true;
}
