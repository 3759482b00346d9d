#pragma once
#include <string>
#include <string_view>

// A name that many objects carry (layer, linetype, plot style, attribute tag). One copy per
// distinct name for the whole session: a large drawing repeats a handful of names hundreds
// of thousands of times.
class KvSharedName {
public:
    KvSharedName();
    explicit KvSharedName(std::u16string_view text);

    const std::u16string& str() const { return *m_text; }
    bool operator==(const KvSharedName& other) const { return m_text == other.m_text; }

private:
    const std::u16string* m_text;
};
