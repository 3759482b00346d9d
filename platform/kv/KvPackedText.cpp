#include "kv/KvPackedText.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

KvPackedText::KvPackedText(KvPackedText&& other) noexcept
{
    std::memcpy(m_bytes, other.m_bytes, sizeof(m_bytes));
    std::memset(other.m_bytes, 0, sizeof(other.m_bytes));
}

KvPackedText& KvPackedText::operator=(const KvPackedText& other)
{
    if (this != &other) {
        KvPackedText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

KvPackedText& KvPackedText::operator=(KvPackedText&& other) noexcept
{
    if (this != &other) {
        release();
        std::memcpy(m_bytes, other.m_bytes, sizeof(m_bytes));
        std::memset(other.m_bytes, 0, sizeof(other.m_bytes));
    }
    return *this;
}

KvPackedText::Heap KvPackedText::heap() const
{
    Heap h;
    std::memcpy(&h.chars, m_bytes, sizeof(h.chars));
    std::memcpy(&h.size, m_bytes + sizeof(h.chars), sizeof(h.size));
    return h;
}

void KvPackedText::assign(std::u16string_view text)
{
    const bool narrow =
        text.size() <= kInline && std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
    if (narrow) {
        for (std::size_t i = 0; i < text.size(); ++i) m_bytes[i] = static_cast<unsigned char>(text[i]);
        m_bytes[kInline] = static_cast<std::uint8_t>(text.size());
        return;
    }
    if (text.size() > UINT32_MAX) throw std::bad_alloc();
    Heap h{new char16_t[text.size()], static_cast<std::uint32_t>(text.size())};
    std::copy(text.begin(), text.end(), h.chars);
    std::memcpy(m_bytes, &h.chars, sizeof(h.chars));
    std::memcpy(m_bytes + sizeof(h.chars), &h.size, sizeof(h.size));
    m_bytes[kInline] = kOnHeap;
}

void KvPackedText::assign(const KvPackedText& other)
{
    if (!other.onHeap()) {
        std::memcpy(m_bytes, other.m_bytes, sizeof(m_bytes));
        return;
    }
    const Heap h = other.heap();
    assign(std::u16string_view(h.chars, h.size));
}

void KvPackedText::release()
{
    if (onHeap()) delete[] heap().chars;
    std::memset(m_bytes, 0, sizeof(m_bytes));
}

std::size_t KvPackedText::size() const
{
    return onHeap() ? heap().size : m_bytes[kInline];
}

std::u16string KvPackedText::str() const
{
    if (onHeap()) {
        const Heap h = heap();
        return std::u16string(h.chars, h.size);
    }
    return std::u16string(m_bytes, m_bytes + m_bytes[kInline]);
}
