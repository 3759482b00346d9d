#pragma once
// The shared string table: every distinct cell text once, split over CONTINUE records at
// points of its own (a string cut in two goes on after a repeated flag byte).
#include <string>
#include <vector>

#include "ExcelFormat/XlsBiffRecord.h"

namespace XlsBiff {

class SharedStringTable : public Record {
public:
    struct Entry {
        std::u16string text;  // an 8-bit string holds its bytes as code units 0..255
        bool bWide = true;
    };

    SharedStringTable() : Record(0x00FC) {}

    void Clear();
    // Appends a distinct string; returns its index.
    std::uint32_t AddUnique(std::u16string text, bool bWide);
    void Reserve(std::size_t nStrings) { m_veStrings.reserve(nStrings); }

    std::uint32_t totalCount = 0;  // every text cell, repeated texts included
    std::uint32_t UniqueCount() const { return static_cast<std::uint32_t>(m_veStrings.size()); }
    const std::vector<Entry>& Strings() const { return m_veStrings; }

    // Split points are computed once, with the size, and kept until the table changes.
    const std::vector<RecordPiece>& Pieces() const;
    std::size_t DataSize() const override;
    std::size_t RecordSize() const override;
    std::size_t Write(std::uint8_t* pOut) const override;

protected:
    void WriteData(ByteWriter& out) const override;

private:
    void ComputePieces() const;

    std::vector<Entry> m_veStrings;
    std::size_t m_nRawSize = 8;
    mutable std::vector<RecordPiece> m_vePieces;
    mutable bool m_bPiecesValid = false;
};

}  // namespace XlsBiff
