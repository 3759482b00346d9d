#include "DxfTagWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "DxfGroupCode.h"

std::string dxfFormatReal(double value)
{
    if (!std::isfinite(value)) value = 0.0;
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::string s(buf, r.ptr);
    // Always a decimal point, as CAD programs write reals.
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

void DxfTagWriter::code(int c)
{
    if (m_spill && m_out.size() >= kSpillBytes) m_spill();
    if (m_binary) {
        auto v = static_cast<std::int16_t>(c);
        char b[2];
        std::memcpy(b, &v, 2);
        m_out.append(b, 2);
        return;
    }
    // Right-aligned in three places ("%3d"), without printf: tables write millions of groups.
    char buf[16];
    const auto n = static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, c).ptr - buf);
    if (n < 3) m_out.append(3 - n, ' ');
    m_out.append(buf, n);
    m_out += m_eol;
}

void DxfTagWriter::ascii(int c, std::string_view value)
{
    code(c);
    m_out.append(value);
    if (m_binary)
        m_out += '\0';
    else
        m_out += m_eol;
}

void DxfTagWriter::text(int c, std::u16string_view value)
{
    ascii(c, encode(value));
}

std::string DxfTagWriter::encode(std::u16string_view value) const
{
    // A line end cannot travel inside a value: it becomes a paragraph break.
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
    return m_codec.encode(clean);
}

void DxfTagWriter::real(int c, double value)
{
    if (m_binary) {
        code(c);
        char b[8];
        std::memcpy(b, &value, 8);
        m_out.append(b, 8);
        return;
    }
    ascii(c, dxfFormatReal(value));
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
        m_out.append(b, n);
        return;
    }
    char buf[32];
    const auto n = static_cast<int>(std::to_chars(buf, buf + sizeof buf, value).ptr - buf);
    code(c);
    // Right-aligned like the group codes, as CAD programs write them.
    if (n < 6) m_out.append(static_cast<std::size_t>(6 - n), ' ');
    m_out.append(buf, static_cast<std::size_t>(n));
    m_out += m_eol;
}

void DxfTagWriter::handle(int c, std::uint64_t value)
{
    char buf[24];
    char* end = std::to_chars(buf, buf + sizeof buf, value, 16).ptr;
    for (char* p = buf; p != end; ++p)
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
    ascii(c, std::string_view(buf, static_cast<std::size_t>(end - buf)));
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
            m_out.append(reinterpret_cast<const char*>(b->data()), b->size());
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
