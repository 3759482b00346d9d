#include "DxfTagReader.h"

#include <charconv>
#include <cstring>

std::string_view dxfTrimBlanks(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

namespace {
std::string printable(std::string_view s)
{
    std::string out;
    for (char c : s.substr(0, 40)) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127)
            out += c;
        else
            out += '?';
    }
    if (s.size() > 40) out += "...";
    return out;
}

bool parseReal(std::string_view s, double& v)
{
    if (dxfParsePlainReal(s, v)) return true;
    s = dxfTrim(s);
    if (s.empty()) return false;
    if (s.front() == '+') s.remove_prefix(1);
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool parseInt(std::string_view s, std::int64_t& v)
{
    if (dxfParsePlainInt(s, v)) return true;
    s = dxfTrim(s);
    if (s.empty()) return false;
    if (s.front() == '+') s.remove_prefix(1);
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

template <class T>
T load(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
}  // namespace

DxfTagReader::DxfTagReader(std::string_view data, std::string fileName) : m_data(data), m_fileName(std::move(fileName))
{
    if (m_data.size() >= kBinarySentinel.size() && m_data.substr(0, kBinarySentinel.size()) == kBinarySentinel) {
        m_binary = true;
        m_pos = kBinarySentinel.size();
        // R12 writes group codes in one byte (255 escapes a two-byte code), later versions in
        // two: the first group (0 SECTION, or a 999 comment) tells which.
        if (m_data.size() > m_pos + 1) {
            auto first = static_cast<unsigned char>(m_data[m_pos]),
                 second = static_cast<unsigned char>(m_data[m_pos + 1]);
            m_oneByteCodes = first == 0xFF || (first == 0 && second != 0);
        }
    }
}

void DxfTagReader::fail(const DxfPosition& pos, const std::string& what) const
{
    throw DxfError(m_fileName + ", " + pos.describe() + ": " + what);
}

void DxfTagReader::fail(const std::string& what) const
{
    throw DxfError(m_fileName + ": " + what);
}

void DxfTagReader::setWindow(std::string_view data, std::uint64_t base, std::uint32_t line, bool final)
{
    m_data = data;
    m_base = base;
    m_pos = 0;
    m_line = line;
    m_final = final;
    m_needMore = false;
    m_lastLineCut = false;
}

bool DxfTagReader::nextSlow(DxfTag& tag)
{
    if (m_pos >= m_data.size()) {
        m_needMore = !m_final;
        return false;
    }
    const std::size_t pos = m_pos;
    const std::uint32_t line = m_line;
    try {
        if (m_binary)
            readBinary(tag);
        else
            readAscii(tag);
    } catch (const CutByWindow&) {
        m_pos = pos;
        m_line = line;
        m_needMore = true;
        return false;
    }
    return true;
}

std::string_view DxfTagReader::readLine(bool& hadLine)
{
    hadLine = m_pos < m_data.size();
    if (!hadLine && !m_final) throw CutByWindow{};
    if (!hadLine) return {};
    const char* begin = m_data.data() + m_pos;
    const void* nl = std::memchr(begin, '\n', m_data.size() - m_pos);
    if (!nl && !m_final) throw CutByWindow{};
    std::size_t len = nl ? static_cast<const char*>(nl) - begin : m_data.size() - m_pos;
    m_pos += len + (nl ? 1 : 0);
    ++m_line;
    std::string_view line(begin, len);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

void DxfTagReader::readAscii(DxfTag& tag)
{
    if (readPlainAscii(tag)) {
        const DxfValueKind kind = dxfValueKind(tag.code);
        if (dxfIsNumeric(kind)) checkNumber(tag, kind);
        return;
    }
    tag.pos = DxfPosition{m_line, m_base + m_pos, false};
    bool had = false;
    std::string_view codeLine = readLine(had);
    std::int64_t code = 0;
    if (!parseInt(codeLine, code) || code < -32768 || code > 32767) {
        if (m_pos >= m_data.size() && m_data.back() != '\n')
            fail(tag.pos, "file ends in the middle of a group code (truncated file?)");
        if (codeLine.find('\0') != std::string_view::npos || codeLine.size() > 200)
            fail(tag.pos, "not a DXF file (binary data where a group code belongs)");
        fail(tag.pos, "group code expected, found \"" + printable(codeLine) + "\"");
    }
    tag.code = static_cast<int>(code);
    if (m_pos >= m_data.size() && !m_final) throw CutByWindow{};
    if (m_pos >= m_data.size())
        fail(tag.pos, "file ends after group code " + std::to_string(code) + " without its value (truncated file?)");
    tag.raw = readLine(had);
    tag.end = m_base + m_pos;
    tag.parsed = DxfTag::Parsed::kNone;
    m_lastLineCut = m_pos >= m_data.size() && m_data.back() != '\n';
    DxfValueKind kind = dxfValueKind(tag.code);
    if (dxfIsNumeric(kind)) checkNumber(tag, kind);
}

void DxfTagReader::checkNumber(DxfTag& tag, DxfValueKind kind) const
{
    DxfPosition valuePos{tag.pos.line + 1, tag.pos.offset, false};
    // A number cut short by the end of the file reads as a number: say what happened.
    if (m_lastLineCut && !(tag.code == 0)) {
        double v;
        std::int64_t i;
        bool ok = kind == DxfValueKind::kReal ? parseReal(tag.raw, v) : parseInt(tag.raw, i);
        if (!ok) fail(valuePos, "file ends in the middle of a value (truncated file?)");
    }
    if (kind == DxfValueKind::kReal) {
        if (!parseReal(tag.raw, tag.number.real))
            fail(valuePos, "number expected for group code " + std::to_string(tag.code) + ", found \"" +
                               printable(tag.raw) + "\"");
        tag.parsed = DxfTag::Parsed::kReal;
    } else {
        if (!parseInt(tag.raw, tag.number.integer))
            fail(valuePos, "integer expected for group code " + std::to_string(tag.code) + ", found \"" +
                               printable(tag.raw) + "\"");
        tag.parsed = DxfTag::Parsed::kInteger;
    }
}

void DxfTagReader::readBinary(DxfTag& tag)
{
    tag.pos = DxfPosition{0, m_base + m_pos, true};
    tag.parsed = DxfTag::Parsed::kNone;
    auto need = [&](std::size_t n) {
        if (m_data.size() - m_pos >= n) return;
        if (!m_final) throw CutByWindow{};
        fail(tag.pos, "file ends inside a group (truncated file?)");
    };
    if (m_oneByteCodes) {
        need(1);
        tag.code = static_cast<unsigned char>(m_data[m_pos++]);
        if (tag.code == 0xFF) {
            need(2);
            tag.code = load<std::int16_t>(m_data.data() + m_pos);
            m_pos += 2;
        }
    } else {
        need(2);
        tag.code = load<std::int16_t>(m_data.data() + m_pos);
        m_pos += 2;
    }
    std::size_t size = 0;
    switch (dxfValueKind(tag.code)) {
    case DxfValueKind::kText:
    case DxfValueKind::kHandle: {
        const void* z = std::memchr(m_data.data() + m_pos, '\0', m_data.size() - m_pos);
        if (!z && !m_final) throw CutByWindow{};
        if (!z) fail(tag.pos, "file ends inside a text value (truncated file?)");
        size = static_cast<const char*>(z) - (m_data.data() + m_pos);
        tag.raw = m_data.substr(m_pos, size);
        m_pos += size + 1;
        tag.end = m_base + m_pos;
        return;
    }
    case DxfValueKind::kBinary: {
        need(1);
        size = static_cast<unsigned char>(m_data[m_pos]);
        ++m_pos;
        break;
    }
    case DxfValueKind::kReal: size = 8; break;
    case DxfValueKind::kInt16: size = 2; break;
    case DxfValueKind::kInt32: size = 4; break;
    case DxfValueKind::kInt64: size = 8; break;
    case DxfValueKind::kBool: size = 1; break;
    case DxfValueKind::kUnknown: fail(tag.pos, "unknown group code " + std::to_string(tag.code));
    }
    need(size);
    tag.raw = m_data.substr(m_pos, size);
    m_pos += size;
    tag.end = m_base + m_pos;
}

double DxfTagReader::realSlow(const DxfTag& tag) const
{
    if (m_binary) {
        DxfValueKind k = dxfValueKind(tag.code);
        if (k == DxfValueKind::kReal && tag.raw.size() == 8) return load<double>(tag.raw.data());
        return static_cast<double>(integer(tag));
    }
    if (tag.parsed == DxfTag::Parsed::kReal) return tag.number.real;
    if (tag.parsed == DxfTag::Parsed::kInteger) return static_cast<double>(tag.number.integer);
    double v = 0;
    if (!parseReal(tag.raw, v))
        fail(DxfPosition{tag.pos.line + 1, tag.pos.offset, false},
             "number expected for group code " + std::to_string(tag.code) + ", found \"" + printable(tag.raw) + "\"");
    return v;
}

std::int64_t DxfTagReader::integerSlow(const DxfTag& tag) const
{
    if (m_binary) {
        switch (tag.raw.size()) {
        case 1: return static_cast<unsigned char>(tag.raw[0]);
        case 2: return load<std::int16_t>(tag.raw.data());
        case 4: return load<std::int32_t>(tag.raw.data());
        case 8:
            if (dxfValueKind(tag.code) == DxfValueKind::kReal)
                return static_cast<std::int64_t>(load<double>(tag.raw.data()));
            return load<std::int64_t>(tag.raw.data());
        default: fail(tag.pos, "integer expected for group code " + std::to_string(tag.code));
        }
    }
    if (tag.parsed == DxfTag::Parsed::kInteger) return tag.number.integer;
    std::int64_t v = 0;
    if (!parseInt(tag.raw, v)) {
        // Some writers put a decimal point on integers ("1.0"): accept whole numbers only.
        double d = 0;
        if (parseReal(tag.raw, d) && d == static_cast<double>(static_cast<std::int64_t>(d)))
            return static_cast<std::int64_t>(d);
        fail(DxfPosition{tag.pos.line + 1, tag.pos.offset, false},
             "integer expected for group code " + std::to_string(tag.code) + ", found \"" + printable(tag.raw) + "\"");
    }
    return v;
}

std::uint64_t DxfTagReader::handleSlow(const DxfTag& tag) const
{
    std::string_view s = dxfTrim(tag.raw);
    std::uint64_t v = 0;
    if (s.empty()) return 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        fail(m_binary ? tag.pos : DxfPosition{tag.pos.line + 1, tag.pos.offset, false},
             "handle expected for group code " + std::to_string(tag.code) + ", found \"" + printable(tag.raw) + "\"");
    return v;
}

std::string DxfTagReader::bytes(const DxfTag& tag) const
{
    if (m_binary) return std::string(tag.raw);
    std::string_view s = dxfTrim(tag.raw);
    std::string out;
    out.reserve(s.size() / 2);
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        int h = hex(s[i]), l = hex(s[i + 1]);
        if (h < 0 || l < 0) fail(DxfPosition{tag.pos.line + 1, tag.pos.offset, false}, "hexadecimal data expected");
        out += static_cast<char>(h * 16 + l);
    }
    return out;
}
