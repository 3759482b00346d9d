#pragma once
// Splits a BIFF8 stream into its records, for checks on positions and sizes.
#include <cstdint>
#include <vector>

struct BiffRecord {
    std::uint16_t code = 0;
    std::size_t offset = 0;  // of the record header in the stream
    std::vector<std::uint8_t> data;

    std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(data.at(at) | data.at(at + 1) << 8); }
    std::uint32_t U32(std::size_t at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }
};

inline std::vector<BiffRecord> WalkBiff(const std::vector<std::uint8_t>& veStream)
{
    std::vector<BiffRecord> veRecords;
    std::size_t at = 0;
    while (at + 4 <= veStream.size()) {
        BiffRecord record;
        record.code = static_cast<std::uint16_t>(veStream[at] | veStream[at + 1] << 8);
        const std::size_t nSize = veStream[at + 2] | veStream[at + 3] << 8;
        record.offset = at;
        if (at + 4 + nSize > veStream.size()) break;  // leaves the tail unparsed: the test sees it
        record.data.assign(veStream.begin() + at + 4, veStream.begin() + at + 4 + nSize);
        veRecords.push_back(std::move(record));
        at += 4 + nSize;
    }
    return veRecords;
}

inline std::size_t CountCode(const std::vector<BiffRecord>& veRecords, std::uint16_t code)
{
    std::size_t n = 0;
    for (const BiffRecord& record : veRecords) n += record.code == code;
    return n;
}

inline const BiffRecord* FirstOf(const std::vector<BiffRecord>& veRecords, std::uint16_t code)
{
    for (const BiffRecord& record : veRecords)
        if (record.code == code) return &record;
    return nullptr;
}
