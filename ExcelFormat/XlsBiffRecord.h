#pragma once
// The base of every BIFF8 record: code, data, and CONTINUE records for long data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ExcelFormat/XlsByteWriter.h"

namespace XlsBiff {

constexpr std::uint16_t kContinueCode = 0x003C;
// Largest data part of one record; longer data goes on in CONTINUE records.
constexpr std::size_t kMaxRecordData = 8224;

// One piece of a record's data as written: the record itself or a CONTINUE record, an
// optional leading flag byte (a string going on in the SST), then data [start, end).
struct RecordPiece {
    std::size_t start = 0;
    std::size_t end = 0;
    int nFlag = -1;  // the byte inserted before the data, or -1 for none
};

class Record {
public:
    explicit Record(std::uint16_t code) : m_code(code) {}
    virtual ~Record() = default;
    Record(const Record&) = default;
    Record& operator=(const Record&) = default;

    std::uint16_t Code() const { return m_code; }
    // Writes the record and its continuations at pOut; returns the bytes written.
    virtual std::size_t Write(std::uint8_t* pOut) const;
    virtual std::size_t DataSize() const = 0;
    // Data plus the 4-byte header of the record and of each CONTINUE record.
    virtual std::size_t RecordSize() const;

protected:
    virtual void WriteData(ByteWriter& out) const = 0;
    // With the data already at pOut + 4, spreads it over its pieces, back to front so that
    // nothing is overwritten before it has moved, and writes each piece's header.
    std::size_t WritePieces(std::uint8_t* pOut, const std::vector<RecordPiece>& vePieces) const;

private:
    std::uint16_t m_code;
};

// Pieces of at most kMaxRecordData bytes, for any record but the SST.
std::vector<RecordPiece> EvenPieces(std::size_t nDataSize);

}  // namespace XlsBiff
