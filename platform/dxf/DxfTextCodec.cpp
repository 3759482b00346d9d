#include "dxf/DxfTextCodec.h"

#include <iconv.h>

#include <charconv>
#include <cstdio>
#include <map>

#include "kvinternal/KvAsciiCase.h"

namespace {
// Single-byte code pages of the drawing files, built once from the C library's converters.
bool buildTable(int codePage, std::array<char16_t, 256>& table)
{
    std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8] = {};
        char* pin = &in;
        char* pout = out;
        std::size_t nin = 1, nout = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &pin, &nin, &pout, &nout) == static_cast<std::size_t>(-1) || nout != sizeof out - 2)
            table[b] = static_cast<char16_t>(b < 128 ? b : 0xFFFD);
        else
            table[b] =
                static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
    }
    iconv_close(cd);
    return true;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// \U+XXXX at s[i]: the code unit, or -1.
int unicodeEscape(std::string_view s, std::size_t i)
{
    if (i + 7 > s.size() || s[i] != '\\' || (s[i + 1] != 'U' && s[i + 1] != 'u') || s[i + 2] != '+') return -1;
    int v = 0;
    for (std::size_t k = i + 3; k < i + 7; ++k) {
        int h = hexValue(s[k]);
        if (h < 0) return -1;
        v = v * 16 + h;
    }
    return v;
}

void appendEscape(std::string& out, char32_t c)
{
    char buf[32];
    if (c > 0xFFFF) {
        c -= 0x10000;
        std::snprintf(buf, sizeof buf, "\\U+%04X\\U+%04X", static_cast<unsigned>(0xD800 + (c >> 10)),
                      static_cast<unsigned>(0xDC00 + (c & 0x3FF)));
    } else {
        std::snprintf(buf, sizeof buf, "\\U+%04X", static_cast<unsigned>(c));
    }
    out += buf;
}
}  // namespace

DxfTextCodec::DxfTextCodec()
{
    // Built once: codecs are made for every text converted outside a drawing's reading.
    static const std::array<char16_t, 256> windows1252 = [] {
        std::array<char16_t, 256> table{};
        buildTable(1252, table);
        return table;
    }();
    m_toUnicode = windows1252;
}

bool DxfTextCodec::setCodePage(std::string_view name)
{
    // "ANSI_1252", also seen as "ansi_1252" or "DOS850"-style names we do not map.
    const std::string upper = kvAsciiUpper(name);
    int cp = 0;
    std::string_view digits;
    if (upper.rfind("ANSI_", 0) == 0)
        digits = std::string_view(upper).substr(5);
    else if (upper.rfind("DOS", 0) == 0)
        digits = std::string_view(upper).substr(3);
    else
        return false;
    auto r = std::from_chars(digits.data(), digits.data() + digits.size(), cp);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size()) return false;
    // Multi-byte Asian code pages are not single-byte tables.
    if (cp == 932 || cp == 936 || cp == 949 || cp == 950 || cp == 1361) return false;
    std::array<char16_t, 256> table{};
    if (!buildTable(cp, table)) return false;
    m_toUnicode = table;
    m_fromUnicode.clear();
    for (int b = 128; b < 256; ++b)
        if (m_toUnicode[b] != 0xFFFD) m_fromUnicode.emplace(m_toUnicode[b], static_cast<char>(b));
    m_codePage = cp;
    m_utf8 = false;
    return true;
}

std::u16string DxfTextCodec::decode(std::string_view s, bool escapes) const
{
    // Most texts are plain ASCII: widened as they are.
    bool plain = true;
    for (char ch : s) plain = plain && static_cast<unsigned char>(ch) < 0x80 && !(ch == '\\' && escapes);
    if (plain) return std::u16string(s.begin(), s.end());
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\\' && escapes) {
            int u = unicodeEscape(s, i);
            if (u >= 0) {
                out += static_cast<char16_t>(u);
                i += 7;
                continue;
            }
        }
        if (c < 0x80) {
            out += static_cast<char16_t>(c);
            ++i;
            continue;
        }
        if (!m_utf8) {
            out += m_toUnicode[c];
            ++i;
            continue;
        }
        // UTF-8; a malformed sequence falls back to Windows-1252 for that byte.
        int len = c >= 0xF0 && c < 0xF8 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
        char32_t cp = len == 4 ? c & 0x07 : len == 3 ? c & 0x0F : c & 0x1F;
        bool ok = len > 0 && i + len <= s.size();
        for (int k = 1; ok && k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out += static_cast<char16_t>(c >= 0xA0 ? c : 0xFFFD);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::string DxfTextCodec::encode(std::u16string_view text) const
{
    if (m_utf8) return kvToUtf8(text);
    const auto& reverse = m_fromUnicode;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        auto it = reverse.find(c);
        if (it != reverse.end()) {
            out += it->second;
            continue;
        }
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            appendEscape(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
            continue;
        }
        appendEscape(out, c);
    }
    return out;
}

std::u16string dxfUtf8ToUtf16(std::string_view text)
{
    DxfTextCodec utf8;
    return utf8.decode(text, false);
}
