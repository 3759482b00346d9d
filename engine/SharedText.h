#pragma once
// A text that many records repeat: layer, linetype, plot-style, colour and line-weight texts,
// kind and block names, attribute tags and dynamic-property names. There is one copy of each
// distinct text for the session, so a record holds a pointer and copying it costs nothing.
// Values that differ from object to object (handles, attribute values) are no SharedText:
// they would stay in memory after the engine that read them is gone.
#include <concepts>
#include <string>
#include <string_view>

class SharedText {
public:
    SharedText() noexcept;
    SharedText(std::u16string_view text);
    SharedText(const std::u16string& text) : SharedText(std::u16string_view(text)) {}
    SharedText(const char16_t* text) : SharedText(std::u16string_view(text)) {}

    const std::u16string& str() const noexcept { return *m_pText; }
    operator const std::u16string&() const noexcept { return *m_pText; }
    bool empty() const noexcept { return m_pText->empty(); }

    // Equal texts share their copy: comparing two shared texts compares two addresses. A
    // template, so that a plain text is compared as a text rather than shared first.
    template <std::same_as<SharedText> T>
    friend bool operator==(const T& a, const T& b) noexcept
    {
        return a.m_pText == b.m_pText;
    }
    friend bool operator==(const SharedText& a, std::u16string_view b) noexcept { return a.str() == b; }

    // Identity of the text, for tables keyed by shared texts.
    const void* Key() const noexcept { return m_pText; }

private:
    const std::u16string* m_pText;
};
