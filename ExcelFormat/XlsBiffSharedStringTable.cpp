#include "ExcelFormat/XlsBiffSharedStringTable.h"

#include <cassert>

namespace XlsBiff {

namespace {
// Below this much room a string that does not fit starts the next record instead.
constexpr std::size_t kMinRoomForSplit = 12;
constexpr std::size_t kStringHeader = 3;
}  // namespace

void SharedStringTable::Clear()
{
    m_veStrings.clear();
    totalCount = 0;
    m_nRawSize = 8;
    m_bPiecesValid = false;
}

std::uint32_t SharedStringTable::AddUnique(std::u16string text, bool bWide)
{
    m_nRawSize += kStringHeader + text.size() * (bWide ? 2 : 1);
    m_veStrings.push_back({std::move(text), bWide});
    m_bPiecesValid = false;
    return static_cast<std::uint32_t>(m_veStrings.size() - 1);
}

void SharedStringTable::ComputePieces() const
{
    m_vePieces.clear();
    RecordPiece current{0, 8, -1};  // the two counts open the first record
    std::size_t nRoom = kMaxRecordData - 8;
    std::size_t nOffset = 8;  // in the data without flag bytes
    auto startPiece = [&](int nFlag) {
        m_vePieces.push_back(current);
        current = {nOffset, nOffset, nFlag};
        nRoom = kMaxRecordData - (nFlag >= 0 ? 1 : 0);
    };
    for (const Entry& entry : m_veStrings) {
        const std::size_t nCharSize = entry.bWide ? 2 : 1;
        std::size_t nCharBytes = entry.text.size() * nCharSize;
        if (kStringHeader + nCharBytes > nRoom && nRoom < kMinRoomForSplit) startPiece(-1);
        if (kStringHeader + nCharBytes <= nRoom) {
            nOffset += kStringHeader + nCharBytes;
            nRoom -= kStringHeader + nCharBytes;
            current.end = nOffset;
            continue;
        }
        // Header and the whole characters that fit, then the rest in further records.
        std::size_t nTaken = (nRoom - kStringHeader) / nCharSize * nCharSize;
        nOffset += kStringHeader + nTaken;
        nCharBytes -= nTaken;
        current.end = nOffset;
        while (nCharBytes > 0) {
            startPiece(entry.bWide ? 1 : 0);
            nTaken = std::min(nCharBytes, nRoom / nCharSize * nCharSize);
            nOffset += nTaken;
            nRoom -= nTaken;
            nCharBytes -= nTaken;
            current.end = nOffset;
        }
    }
    m_vePieces.push_back(current);
    assert(nOffset == m_nRawSize);
    m_bPiecesValid = true;
}

const std::vector<RecordPiece>& SharedStringTable::Pieces() const
{
    if (!m_bPiecesValid) ComputePieces();
    return m_vePieces;
}

std::size_t SharedStringTable::DataSize() const
{
    std::size_t nFlags = 0;
    for (const RecordPiece& piece : Pieces()) nFlags += piece.nFlag >= 0 ? 1 : 0;
    return m_nRawSize + nFlags;
}

std::size_t SharedStringTable::RecordSize() const
{
    return DataSize() + 4 * Pieces().size();
}

void SharedStringTable::WriteData(ByteWriter& out) const
{
    out.U32(totalCount);
    out.U32(UniqueCount());
    for (const Entry& entry : m_veStrings) {
        out.U16(static_cast<std::uint16_t>(entry.text.size()));
        out.U8(entry.bWide ? 1 : 0);
        out.Chars(entry.text, entry.bWide);
    }
}

std::size_t SharedStringTable::Write(std::uint8_t* pOut) const
{
    // The strings are laid out without flag bytes first, then spread over the pieces.
    ByteWriter data(pOut + 4);
    WriteData(data);
    assert(static_cast<std::size_t>(data.Position() - (pOut + 4)) == m_nRawSize);
    return WritePieces(pOut, Pieces());
}

}  // namespace XlsBiff
