#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "dxf/DxfError.h"
#include "DxfGroupCode.h"

std::string_view dxfTrimBlanks(std::string_view s);
// Without the blanks around it (spaces, tabs, CR); most values have none.
inline std::string_view dxfTrim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    if (s.empty() || (!blank(s.front()) && !blank(s.back()))) return s;
    return dxfTrimBlanks(s);
}

// A plain decimal of at most 15 digits ("-123.456"): its digits and the power of ten are
// exact doubles, so one division rounds as the full conversion does.
inline bool dxfParsePlainReal(std::string_view s, double& v)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = s.data();
    const char* const end = p + s.size();
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    // The whole part, then the decimals: one test per digit.
    std::uint64_t digits = 0;
    const char* const whole = p;
    for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - unsigned('0')) <= 9; ++p)
        digits = digits * 10 + d;
    std::ptrdiff_t count = p - whole, decimals = 0;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        for (unsigned d; p != end && (d = static_cast<unsigned char>(*p) - unsigned('0')) <= 9; ++p)
            digits = digits * 10 + d;
        decimals = p - fraction;
        count += decimals;
    }
    if (p != end || count == 0 || count > 15) return false;
    const double magnitude =
        decimals > 0 ? static_cast<double>(digits) / kPowers[decimals] : static_cast<double>(digits);
    v = negative ? -magnitude : magnitude;
    return true;
}

// Plain digits, maybe right-aligned with spaces, of at most 18 characters: no trimming needed.
inline bool dxfParsePlainInt(std::string_view s, std::int64_t& v)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && s.size() - i <= 18) {
        std::int64_t n = 0;
        std::size_t j = i;
        const bool negative = s[j] == '-';
        if (negative) ++j;
        const std::size_t digits = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') n = n * 10 + (s[j++] - '0');
        if (j == s.size() && j > digits) {
            v = negative ? -n : n;
            return true;
        }
    }
    return false;
}

// One group: code and value. The value is a view into the file's bytes: for ASCII files the
// value line without its line end, for binary files the encoded value (text without its
// terminating zero, numbers as little-endian bytes, binary chunks without their length).
struct DxfTag {
    int code = 0;
    std::string_view raw;
    DxfPosition pos;
    std::uint64_t end = 0;  // offset just past the tag
    // ASCII numbers are parsed once, when the tag is read and checked.
    enum class Parsed : std::uint8_t { kNone, kReal, kInteger } parsed = Parsed::kNone;
    union {
        double real;
        std::int64_t integer;
    } number{0.0};
};

// Splits a whole DXF file (ASCII or binary) into tags, checking every number on the way:
// a number that does not parse would silently become a wrong value later.
class DxfTagReader {
public:
    static constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

    DxfTagReader(std::string_view data, std::string fileName);
    // A piece of a file already known to be ASCII or binary (no sentinel); R12 binary files
    // have one-byte group codes.
    DxfTagReader(std::string_view data, std::string fileName, bool binary, bool oneByteCodes = false)
        : m_data(data), m_fileName(std::move(fileName)), m_binary(binary), m_oneByteCodes(oneByteCodes)
    {
    }

    // Reading a file window by window: data is the part of the file from offset base, line
    // its first line. Unless it is the final window, a tag cut by its end is no error: next()
    // returns false, needMore() is set and the position stays at that tag.
    void setWindow(std::string_view data, std::uint64_t base, std::uint32_t line, bool final);
    void setFinal(bool final) { m_final = final; }
    bool needMore() const { return m_needMore; }

    bool isBinary() const { return m_binary; }
    bool hasOneByteCodes() const { return m_oneByteCodes; }
    const std::string& fileName() const { return m_fileName; }
    std::string_view data() const { return m_data; }
    // Offset in the file of the next tag.
    std::uint64_t offset() const { return m_base + m_pos; }
    std::uint32_t line() const { return m_line; }
    // Offset in the file just past the data.
    std::uint64_t windowEnd() const { return m_base + m_data.size(); }
    // Offset where the tag starting at the current position begins (its code line).
    bool atEnd() const { return m_pos >= m_data.size(); }

    // Reads the next tag; false at the end of the data.
    [[gnu::always_inline]] bool next(DxfTag& tag)
    {
        m_needMore = false;
        // Nearly every tag of an ASCII file is a plain one: read here, without the calls and the
        // cut-by-window handling of the long way.
        if (!m_binary && readPlainAscii(tag)) {
            const DxfValueKind kind = dxfValueKind(tag.code);
            if (dxfIsNumeric(kind) && !parsePlainNumber(tag, kind)) checkNumber(tag, kind);
            return true;
        }
        return nextSlow(tag);
    }

    // ASCII numbers were parsed as they were read: most are taken here.
    double real(const DxfTag& tag) const
    {
        if (!m_binary && tag.parsed == DxfTag::Parsed::kReal) return tag.number.real;
        return realSlow(tag);
    }
    std::int64_t integer(const DxfTag& tag) const
    {
        if (!m_binary && tag.parsed == DxfTag::Parsed::kInteger) return tag.number.integer;
        return integerSlow(tag);
    }
    // Text value (trailing CR removed; for ASCII, surrounding blanks removed when trim).
    std::string_view text(const DxfTag& tag, bool trim = false) const { return trim ? dxfTrim(tag.raw) : tag.raw; }
    // Handle value as a number (0 when empty). Handles are written bare, in at most 16 hex
    // digits: read at once.
    std::uint64_t handle(const DxfTag& tag) const
    {
        if (!tag.raw.empty() && tag.raw.size() <= 16) {
            std::uint64_t v = 0;
            unsigned notHex = 0;
            for (const char c : tag.raw) {
                const unsigned digit = kHexDigits[static_cast<unsigned char>(c)];
                notHex |= digit;
                v = v << 4 | (digit & 15);
            }
            if (!(notHex & kNotHex)) return v;
        }
        return handleSlow(tag);
    }
    // Binary chunk as bytes (ASCII files hold it as hexadecimal text).
    std::string bytes(const DxfTag& tag) const;

    [[noreturn]] void fail(const DxfPosition& pos, const std::string& what) const;
    [[noreturn]] void fail(const std::string& what) const;  // no position

private:
    struct CutByWindow {};  // thrown inside next() only
    bool nextSlow(DxfTag& tag);
    void readAscii(DxfTag& tag);
    void readBinary(DxfTag& tag);
    std::string_view readLine(bool& hadLine);
    // The common case of readAscii; false, with nothing read, for any other.
    [[gnu::always_inline]] bool readPlainAscii(DxfTag& tag);
    void checkNumber(DxfTag& tag, DxfValueKind kind) const;
    double realSlow(const DxfTag& tag) const;
    std::uint64_t handleSlow(const DxfTag& tag) const;
    static constexpr std::uint8_t kNotHex = 0x80;
    static constexpr std::array<std::uint8_t, 256> kHexDigits = [] {
        std::array<std::uint8_t, 256> digits{};
        for (unsigned c = 0; c < 256; ++c)
            digits[c] = c >= '0' && c <= '9'   ? std::uint8_t(c - '0')
                        : c >= 'A' && c <= 'F' ? std::uint8_t(c - 'A' + 10)
                        : c >= 'a' && c <= 'f' ? std::uint8_t(c - 'a' + 10)
                                               : kNotHex;
        return digits;
    }();
    std::int64_t integerSlow(const DxfTag& tag) const;
    // The common numbers, parsed in place; false for any other (checkNumber then decides).
    static bool parsePlainNumber(DxfTag& tag, DxfValueKind kind)
    {
        if (kind == DxfValueKind::kReal) {
            if (!dxfParsePlainReal(tag.raw, tag.number.real)) return false;
            tag.parsed = DxfTag::Parsed::kReal;
        } else {
            if (!dxfParsePlainInt(tag.raw, tag.number.integer)) return false;
            tag.parsed = DxfTag::Parsed::kInteger;
        }
        return true;
    }

    std::string_view m_data;
    std::string m_fileName;
    std::size_t m_pos = 0;
    std::uint64_t m_base = 0;
    std::uint32_t m_line = 1;
    bool m_binary = false;
    bool m_oneByteCodes = false;
    bool m_lastLineCut = false;
    bool m_final = true;
    bool m_needMore = false;
};

inline bool DxfTagReader::readPlainAscii(DxfTag& tag)
{
    // The usual tag, whole in the window: a group code of digits after optional spaces, its
    // line ended by a bare line feed, then the value's line. Anything else takes the long way.
    const char* const data = m_data.data();
    const std::size_t size = m_data.size();
    std::size_t i = m_pos;
    unsigned code = 0;
    // Most writers right-align codes in three places ("  0", " 10", "330").
    const auto* const line = reinterpret_cast<const unsigned char*>(data) + i;
    if (i + 3 < size && line[3] == '\n' && line[2] - unsigned('0') <= 9) {
        const unsigned d0 = line[0] - unsigned('0'), d1 = line[1] - unsigned('0'), d2 = line[2] - unsigned('0');
        constexpr unsigned kSpace = unsigned(' ') - unsigned('0');
        if (d1 <= 9 && d0 <= 9)
            code = d0 * 100 + d1 * 10 + d2;
        else if (d1 <= 9 && d0 == kSpace)
            code = d1 * 10 + d2;
        else if (d1 == kSpace && d0 == kSpace)
            code = d2;
        else
            return false;
        i += 3;
    } else {
        while (i < size && data[i] == ' ') ++i;
        const std::size_t digits = i;
        const std::size_t digitsEnd = std::min(size, digits + 5);
        for (unsigned d; i < digitsEnd && (d = static_cast<unsigned char>(data[i]) - unsigned('0')) <= 9; ++i)
            code = code * 10 + d;
        if (i == digits || i >= size || data[i] != '\n' || code > 32767) return false;
    }
    const std::size_t valueBegin = i + 1;
    const void* nl = valueBegin < size ? std::memchr(data + valueBegin, '\n', size - valueBegin) : nullptr;
    if (nl == nullptr) return false;
    const std::size_t valueEnd = static_cast<std::size_t>(static_cast<const char*>(nl) - data);
    tag.pos = DxfPosition{m_line, m_base + m_pos, false};
    tag.code = static_cast<int>(code);
    tag.raw = std::string_view(data + valueBegin, valueEnd - valueBegin);
    if (!tag.raw.empty() && tag.raw.back() == '\r') tag.raw.remove_suffix(1);
    m_pos = valueEnd + 1;
    m_line += 2;
    tag.end = m_base + m_pos;
    tag.parsed = DxfTag::Parsed::kNone;
    m_lastLineCut = false;
    return true;
}
