#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

// The bytes a save has made and not yet handed on. Unlike a string it gives room at its end to
// write into before the bytes count: a group is written in place, with no copy of its own.
class DxfOutBuffer {
public:
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void clear() { m_size = 0; }
    std::string_view view() const { return {m_data.get(), m_size}; }
    void reserve(std::size_t capacity)
    {
        if (capacity > m_capacity) grow(capacity - m_size);
    }
    void append(std::string_view bytes)
    {
        if (bytes.empty()) return;
        std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
        m_size += bytes.size();
    }
    DxfOutBuffer& operator+=(std::string_view bytes)
    {
        append(bytes);
        return *this;
    }
    DxfOutBuffer& operator+=(char c)
    {
        *room(1) = c;
        ++m_size;
        return *this;
    }
    // At least n bytes to write into at the end; commit(end) counts them.
    char* room(std::size_t n)
    {
        if (m_capacity - m_size < n) grow(n);
        return m_data.get() + m_size;
    }
    void commit(const char* end) { m_size = static_cast<std::size_t>(end - m_data.get()); }

private:
    void grow(std::size_t n)
    {
        std::size_t capacity = m_capacity < 4096 ? 4096 : m_capacity;
        while (capacity - m_size < n) capacity *= 2;
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_size > 0) std::memcpy(data.get(), m_data.get(), m_size);
        m_data = std::move(data);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0, m_capacity = 0;
};
