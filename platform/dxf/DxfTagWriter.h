#pragma once
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "DxfOutBuffer.h"
#include "dxf/DxfTextCodec.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvTypedValue.h"

// Writes groups in the file's own form (ASCII with its line end, or binary).
class DxfTagWriter {
public:
    // crlf: ASCII lines end in CR LF, not LF alone.
    DxfTagWriter(DxfOutBuffer& out, bool binary, bool crlf, const DxfTextCodec& codec);

    void text(int code, std::u16string_view value);
    // The bytes text() writes for a value: for a value written many times over.
    std::string encode(std::u16string_view value) const;
    void ascii(int code, std::string_view value);  // already encoded
    void real(int code, double value);
    void integer(int code, std::int64_t value);
    void handle(int code, std::uint64_t value);
    void point(int code, const KvGePoint3d& p);  // code, code+10, code+20
    void typed(const KvTypedValue& value);       // extended data and xrecord values
    void bytes(std::string_view raw) { m_out.append(raw); }
    // The bytes of the groups f writes, as this writer would write them: for a run of groups
    // written many times over.
    std::string groupsOf(const std::function<void(DxfTagWriter&)>& f) const;
    // Called whenever the output has grown past a megabyte, at the start of a group, so
    // that a large table goes on to the file as it is written rather than whole in memory.
    void setSpill(std::function<void()> spill) { m_spill = std::move(spill); }

private:
    // A group code as the ASCII form writes it, "%3d" and the line end.
    struct CodeText {
        char bytes[7];
        unsigned char size;
    };
    static constexpr int kCodeTexts = 1072;  // the codes there are, 0 to 1071
    // Each group is written in place at the output's end: its code, then its value.
    static constexpr std::size_t kCodeRoom = 16;
    // Makes room for the code and a value of valueRoom bytes, writes the code: returns where the
    // value goes. The group counts when the output is given its end (commit).
    char* startGroup(int c, std::size_t valueRoom)
    {
        if (m_spill && m_out.size() >= kSpillBytes) m_spill();
        char* p = m_out.room(kCodeRoom + valueRoom + 2);
        if (m_binary || c < 0 || c >= kCodeTexts) return startOtherGroup(p, c);
        const CodeText& t = m_codeTexts[c];
        std::memcpy(p, t.bytes, sizeof t.bytes);
        return p + t.size;
    }
    char* startOtherGroup(char* p, int c);  // binary, or a code outside the usual ones
    char* endLine(char* p) const
    {
        if (m_crlf) *p++ = '\r';
        *p++ = '\n';
        return p;
    }
    char* endText(char* p) const;  // a line end, or binary's terminator
    void code(int c);
    DxfOutBuffer& m_out;
    bool m_binary;
    bool m_crlf;
    const CodeText* m_codeTexts = nullptr;
    const DxfTextCodec& m_codec;
    std::function<void()> m_spill;
    static constexpr std::size_t kSpillBytes = 1 << 20;
};
