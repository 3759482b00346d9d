#include "kv/KvDbHandle.h"

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

std::u16string KvDbHandle::text() const
{
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out;
    std::uint64_t v = m_value;
    do {
        out.insert(out.begin(), kDigits[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    return out;
}

bool KvDbHandle::getIntoAsciiBuffer(char16_t* buffer, std::size_t size) const
{
    const std::u16string t = text();
    if (buffer == nullptr || size < t.size() + 1) {
        if (buffer != nullptr && size > 0) buffer[0] = 0;
        return false;
    }
    t.copy(buffer, t.size());
    buffer[t.size()] = 0;
    return true;
}
