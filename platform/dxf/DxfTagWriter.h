#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "dxf/DxfTextCodec.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvTypedValue.h"

// Writes groups in the file's own form (ASCII with its line end, or binary).
class DxfTagWriter {
public:
    DxfTagWriter(std::string& out, bool binary, std::string eol, const DxfTextCodec& codec)
        : m_out(out), m_binary(binary), m_eol(std::move(eol)), m_codec(codec)
    {
    }

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
    // Called whenever the output has grown past a few megabytes, at the start of a group, so
    // that a large table goes on to the file as it is written rather than whole in memory.
    void setSpill(std::function<void()> spill) { m_spill = std::move(spill); }

private:
    void code(int c);
    std::string& m_out;
    bool m_binary;
    std::string m_eol;
    const DxfTextCodec& m_codec;
    std::function<void()> m_spill;
    static constexpr std::size_t kSpillBytes = 4 << 20;
};

std::string dxfFormatReal(double value);
