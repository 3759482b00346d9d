#include "DxfTagWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "DxfGroupCode.h"

namespace {
// Writes a real as CAD programs do, always with a decimal point; buf holds 32 characters.
char* formatRealUncached(char* buf, double value)
{
    if (!std::isfinite(value)) value = 0.0;
    char* end = std::to_chars(buf, buf + 29, value).ptr;
    for (const char* p = buf; p != end; ++p)
        if (*p == '.' || *p == 'e' || *p == 'E' || *p == 'n') return end;
    *end++ = '.';
    *end++ = '0';
    return end;
}

// The same, remembering the texts of recent values: a table's graphics repeat the places of
// its grid lines millions of times, and the shortest exact text of a double is costly to find.
char* formatReal(char* buf, double value)
{
    struct Entry {
        std::uint64_t bits = 0;
        unsigned char size = 0;  // 0: empty
        char text[31];
    };
    static thread_local std::array<Entry, 1024> cache;
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Entry& e = cache[(bits * 0x9E3779B97F4A7C15ull) >> 54];
    if (e.size == 0 || e.bits != bits) {
        e.size = static_cast<unsigned char>(formatRealUncached(e.text, value) - e.text);
        e.bits = bits;
    }
    std::memcpy(buf, e.text, sizeof e.text);
    return buf + e.size;
}

// A line end cannot travel inside a value: it becomes a paragraph break.
std::u16string withoutLineEnds(std::u16string_view value)
{
    std::u16string clean;
    clean.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        char16_t ch = value[i];
        if (ch == u'\r') {
            if (i + 1 < value.size() && value[i + 1] == u'\n') ++i;
            clean += u"\\P";
        } else if (ch == u'\n') {
            clean += u"\\P";
        } else if (ch == 0) {
            continue;
        } else {
            clean += ch;
        }
    }
    return clean;
}
}  // namespace

DxfTagWriter::DxfTagWriter(DxfOutBuffer& out, bool binary, bool crlf, const DxfTextCodec& codec)
    : m_out(out), m_binary(binary), m_crlf(crlf), m_codec(codec)
{
    // Tables write millions of groups: each code's text is made once.
    using Table = std::array<CodeText, kCodeTexts>;
    const auto make = [](std::string_view end) {
        Table table{};
        for (int c = 0; c < kCodeTexts; ++c) {
            char buf[16];
            const int n = std::snprintf(buf, sizeof buf, "%3d", c);
            std::memcpy(table[c].bytes, buf, static_cast<std::size_t>(n));
            std::memcpy(table[c].bytes + n, end.data(), end.size());
            table[c].size = static_cast<unsigned char>(static_cast<std::size_t>(n) + end.size());
        }
        return table;
    };
    static const Table lfCodes = make("\n"), crlfCodes = make("\r\n");
    m_codeTexts = m_crlf ? crlfCodes.data() : lfCodes.data();
}

char* DxfTagWriter::startOtherGroup(char* p, int c)
{
    if (m_binary) {
        const auto v = static_cast<std::int16_t>(c);
        std::memcpy(p, &v, 2);
        return p + 2;
    }
    // Right-aligned in three places ("%3d").
    char digits[16];
    const auto n = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, c).ptr - digits);
    for (std::size_t k = n; k < 3; ++k) *p++ = ' ';
    std::memcpy(p, digits, n);
    return endLine(p + n);
}

char* DxfTagWriter::endText(char* p) const
{
    if (!m_binary) return endLine(p);
    *p++ = '\0';
    return p;
}

void DxfTagWriter::code(int c)
{
    m_out.commit(startGroup(c, 0));
}

void DxfTagWriter::ascii(int c, std::string_view value)
{
    char* p = startGroup(c, value.size());
    std::memcpy(p, value.data(), value.size());
    m_out.commit(endText(p + value.size()));
}

void DxfTagWriter::text(int c, std::u16string_view value)
{
    // Most values are plain ASCII, the same bytes in every encoding: written as they are.
    const bool plain = std::all_of(value.begin(), value.end(),
                                   [](char16_t ch) { return ch < 0x80 && ch != 0 && ch != u'\r' && ch != u'\n'; });
    if (!plain) return ascii(c, encode(value));
    char* p = startGroup(c, value.size());
    for (char16_t ch : value) *p++ = static_cast<char>(ch);
    m_out.commit(endText(p));
}

std::string DxfTagWriter::groupsOf(const std::function<void(DxfTagWriter&)>& f) const
{
    DxfOutBuffer out;
    DxfTagWriter w(out, m_binary, m_crlf, m_codec);
    f(w);
    return std::string(out.view());
}

std::string DxfTagWriter::encode(std::u16string_view value) const
{
    return m_codec.encode(withoutLineEnds(value));
}

void DxfTagWriter::real(int c, double value)
{
    char* p = startGroup(c, 32);
    if (m_binary) {
        std::memcpy(p, &value, 8);
        m_out.commit(p + 8);
        return;
    }
    m_out.commit(endLine(formatReal(p, value)));
}

void DxfTagWriter::integer(int c, std::int64_t value)
{
    if (m_binary) {
        code(c);
        char b[8];
        std::size_t n = 2;
        switch (dxfValueKind(c)) {
        case DxfValueKind::kBool: n = 1; break;
        case DxfValueKind::kInt32: n = 4; break;
        case DxfValueKind::kInt64: n = 8; break;
        default: n = 2; break;
        }
        if (n == 1)
            b[0] = static_cast<char>(value);
        else if (n == 2) {
            auto v = static_cast<std::int16_t>(value);
            std::memcpy(b, &v, 2);
        } else if (n == 4) {
            auto v = static_cast<std::int32_t>(value);
            std::memcpy(b, &v, 4);
        } else
            std::memcpy(b, &value, 8);
        m_out.append(std::string_view(b, n));
        return;
    }
    // Right-aligned in six places like the group codes, as CAD programs write them.
    if (value >= 0 && value < 100000) {  // most: flags, counts, kinds
        char six[8] = {' ', ' ', ' ', ' ', ' ', ' '};
        char* d = six + 6;
        for (std::uint32_t v = static_cast<std::uint32_t>(value); d == six + 6 || v != 0; v /= 10)
            *--d = static_cast<char>('0' + v % 10);
        char* p = startGroup(c, sizeof six);
        std::memcpy(p, six, sizeof six);
        m_out.commit(endLine(p + 6));
        return;
    }
    char digits[24] = {};
    const auto n = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    char* p = startGroup(c, 6 + sizeof digits);
    for (std::size_t k = n; k < 6; ++k) *p++ = ' ';
    std::memcpy(p, digits, sizeof digits);  // all of it: a copy of a known size costs no call
    m_out.commit(endLine(p + n));
}

void DxfTagWriter::handle(int c, std::uint64_t value)
{
    // Upper-case hexadecimal digits, as many as the value needs.
    char digits[16] = {};
    const int n = value == 0 ? 1 : (64 - std::countl_zero(value) + 3) / 4;
    for (int i = n - 1; i >= 0; --i, value >>= 4) digits[i] = "0123456789ABCDEF"[value & 15];
    const char* end = digits + n;
    char* p = startGroup(c, sizeof digits);
    std::memcpy(p, digits, sizeof digits);
    m_out.commit(endText(p + (end - digits)));
}

void DxfTagWriter::point(int c, const KvGePoint3d& p)
{
    real(c, p.x);
    real(c + 10, p.y);
    real(c + 20, p.z);
}

void DxfTagWriter::typed(const KvTypedValue& v)
{
    if (const KvGePoint3d* p = v.point()) {
        point(v.code, *p);
    } else if (const double* d = v.real()) {
        real(v.code, *d);
    } else if (const std::int64_t* i = v.integer()) {
        integer(v.code, *i);
    } else if (const std::u16string* s = v.text()) {
        text(v.code, *s);
    } else if (const std::vector<std::uint8_t>* b = v.binary()) {
        if (m_binary) {
            code(v.code);
            m_out += static_cast<char>(b->size() & 0xFF);
            m_out.append(std::string_view(reinterpret_cast<const char*>(b->data()), b->size()));
        } else {
            std::string hex;
            static const char digits[] = "0123456789ABCDEF";
            for (std::uint8_t byte : *b) {
                hex += digits[byte >> 4];
                hex += digits[byte & 15];
            }
            ascii(v.code, hex);
        }
    } else {
        ascii(v.code, "");
    }
}
