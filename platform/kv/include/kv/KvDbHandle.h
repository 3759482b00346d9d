#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Database handle: unique within one drawing, kept across save and load.
class KvDbHandle {
public:
    KvDbHandle() = default;
    explicit KvDbHandle(std::uint64_t value) : m_value(value) {}
    // Parses upper- or lower-case hexadecimal text; 0 when it is not a handle.
    static KvDbHandle fromText(const std::u16string& text);

    std::uint64_t value() const { return m_value; }
    bool isNull() const { return m_value == 0; }
    // Upper-case hexadecimal without leading zeros, terminated; false when the buffer is too small.
    bool getIntoAsciiBuffer(char16_t* buffer, std::size_t size) const;
    std::u16string text() const;

    bool operator==(const KvDbHandle&) const = default;
    auto operator<=>(const KvDbHandle&) const = default;

private:
    std::uint64_t m_value = 0;
};
