#pragma once
#include <array>
#include <map>
#include <string>
#include <string_view>

#include "kv/KvString.h"

// Text of a drawing file: UTF-8 from AC1021 on (written by kvToUtf8); before, the drawing's
// Windows code page with \U+XXXX escapes for characters the code page lacks.
class DxfTextCodec {
public:
    DxfTextCodec();  // UTF-8
    // From a $DWGCODEPAGE value ("ANSI_1252", "ANSI_1250"...); false when unknown.
    bool setCodePage(std::string_view dwgCodePage);
    void setUtf8() { m_utf8 = true; }
    bool isUtf8() const { return m_utf8; }
    int codePage() const { return m_codePage; }

    // escapes: turn \U+XXXX into the character it names.
    std::u16string decode(std::string_view bytes, bool escapes = true) const;
    std::string encode(std::u16string_view text) const;

private:
    bool m_utf8 = true;
    int m_codePage = 1252;
    std::array<char16_t, 256> m_toUnicode{};
    std::map<char16_t, char> m_fromUnicode;
};

std::u16string dxfUtf8ToUtf16(std::string_view text);
