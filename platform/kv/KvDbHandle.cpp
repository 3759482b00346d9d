#include "kv/KvDbHandle.h"

#include <bit>

KvDbHandle KvDbHandle::fromText(const std::u16string& text)
{
    if (text.empty() || text.size() > 16) return KvDbHandle();
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else
            return KvDbHandle();
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return KvDbHandle(value);
}

namespace {

// The digits of value, upper-case hexadecimal without leading zeros, at the end of buffer
// (16 digits at most); returns where they start.
char16_t* hexDigits(std::uint64_t value, char16_t (&buffer)[16])
{
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    char16_t* p = buffer + 16;
    do {
        *--p = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    return p;
}

}  // namespace

std::u16string KvDbHandle::text() const
{
    char16_t buffer[16];
    char16_t* p = hexDigits(m_value, buffer);
    return std::u16string(p, buffer + 16);
}

bool KvDbHandle::getIntoAsciiBuffer(char16_t* buffer, std::size_t size) const
{
    // The digits written straight into the caller's buffer, last first, once their count is known.
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    const std::size_t n = m_value == 0 ? 1 : static_cast<std::size_t>(std::bit_width(m_value) + 3) / 4;
    if (buffer == nullptr || size < n + 1) {
        if (buffer != nullptr && size > 0) buffer[0] = 0;
        return false;
    }
    buffer[n] = 0;
    std::uint64_t value = m_value;
    for (std::size_t i = n; i-- > 0; value >>= 4) buffer[i] = kDigits[value & 0xF];
    return true;
}
