#pragma once
// Little-endian output into a buffer sized beforehand: every record is written in place.
#include <cstdint>
#include <cstring>
#include <string_view>

namespace XlsBiff {

class ByteWriter {
public:
    explicit ByteWriter(std::uint8_t* pOut) : m_p(pOut) {}

    void U8(std::uint8_t v) { *m_p++ = v; }
    void U16(std::uint16_t v)
    {
        m_p[0] = static_cast<std::uint8_t>(v);
        m_p[1] = static_cast<std::uint8_t>(v >> 8);
        m_p += 2;
    }
    void U32(std::uint32_t v)
    {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void F64(double v)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        U32(static_cast<std::uint32_t>(bits));
        U32(static_cast<std::uint32_t>(bits >> 32));
    }
    void Bytes(const void* p, std::size_t n)
    {
        if (n) std::memcpy(m_p, p, n);
        m_p += n;
    }
    // UTF-16LE characters, or their low bytes for an 8-bit string.
    void Chars(std::u16string_view csText, bool bWide)
    {
        if (bWide)
            for (char16_t c : csText) U16(c);
        else
            for (char16_t c : csText) *m_p++ = static_cast<std::uint8_t>(c);
    }
    std::uint8_t* Position() const { return m_p; }

private:
    std::uint8_t* m_p;
};

// Whether a text needs UTF-16 in a BIFF string, or fits its 8-bit form.
inline bool NeedsWideChars(std::u16string_view csText)
{
    for (char16_t c : csText)
        if (c > 0xFF) return true;
    return false;
}

}  // namespace XlsBiff
