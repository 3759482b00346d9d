#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A text in 15 bytes, for values a drawing holds hundreds of thousands of (attribute values):
// up to 14 characters of U+0000..U+00FF, as most such texts are (numbers, names, codes), are
// kept in the object itself, one byte each; any other text on the heap as UTF-16.
class KvPackedText {
public:
    KvPackedText() = default;
    explicit KvPackedText(std::u16string_view text) { assign(text); }
    KvPackedText(const KvPackedText& other) { assign(other); }
    KvPackedText(KvPackedText&& other) noexcept;
    KvPackedText& operator=(const KvPackedText& other);
    KvPackedText& operator=(KvPackedText&& other) noexcept;
    ~KvPackedText() { release(); }

    std::u16string str() const;
    std::size_t size() const;
    bool empty() const { return size() == 0; }

private:
    static constexpr std::size_t kInline = 14;
    static constexpr std::uint8_t kOnHeap = 0xFF;
    struct Heap {
        char16_t* chars;
        std::uint32_t size;
    };
    void assign(std::u16string_view text);
    void assign(const KvPackedText& other);
    void release();
    bool onHeap() const { return m_bytes[kInline] == kOnHeap; }
    Heap heap() const;

    // Inline: the characters, then their count in the last byte; on the heap: a Heap, then
    // kOnHeap. Bytes only, so that an object's next small value can follow without a gap.
    unsigned char m_bytes[kInline + 1] = {};
};
