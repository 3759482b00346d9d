#include "ExcelFormat/XlsBiffRecord.h"

#include <cassert>
#include <cstring>

namespace XlsBiff {

std::vector<RecordPiece> EvenPieces(std::size_t nDataSize)
{
    std::vector<RecordPiece> vePieces;
    std::size_t nStart = 0;
    do {
        const std::size_t nEnd = nStart + std::min(kMaxRecordData, nDataSize - nStart);
        vePieces.push_back({nStart, nEnd, -1});
        nStart = nEnd;
    } while (nStart < nDataSize);
    return vePieces;
}

std::size_t Record::RecordSize() const
{
    const std::size_t nData = DataSize();
    const std::size_t nPieces = nData == 0 ? 1 : (nData + kMaxRecordData - 1) / kMaxRecordData;
    return nData + 4 * nPieces;
}

std::size_t Record::Write(std::uint8_t* pOut) const
{
    ByteWriter data(pOut + 4);
    WriteData(data);
    const std::size_t nData = static_cast<std::size_t>(data.Position() - (pOut + 4));
    assert(nData == DataSize());
    if (nData <= kMaxRecordData) {
        ByteWriter header(pOut);
        header.U16(m_code);
        header.U16(static_cast<std::uint16_t>(nData));
        return nData + 4;
    }
    return WritePieces(pOut, EvenPieces(nData));
}

std::size_t Record::WritePieces(std::uint8_t* pOut, const std::vector<RecordPiece>& vePieces) const
{
    std::vector<std::size_t> veOffsets(vePieces.size());
    std::size_t nOffset = 0;
    for (std::size_t k = 0; k < vePieces.size(); ++k) {
        veOffsets[k] = nOffset;
        nOffset += 4 + (vePieces[k].nFlag >= 0 ? 1 : 0) + (vePieces[k].end - vePieces[k].start);
    }
    for (std::size_t k = vePieces.size(); k-- > 0;) {
        const RecordPiece& piece = vePieces[k];
        const std::size_t nFlagBytes = piece.nFlag >= 0 ? 1 : 0;
        const std::size_t nLength = piece.end - piece.start;
        std::memmove(pOut + veOffsets[k] + 4 + nFlagBytes, pOut + 4 + piece.start, nLength);
        ByteWriter header(pOut + veOffsets[k]);
        header.U16(k == 0 ? m_code : kContinueCode);
        header.U16(static_cast<std::uint16_t>(nLength + nFlagBytes));
        if (nFlagBytes) header.U8(static_cast<std::uint8_t>(piece.nFlag));
    }
    return nOffset;
}

}  // namespace XlsBiff
