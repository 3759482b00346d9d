#include "kv/KvSharedName.h"

#include <functional>
#include <mutex>
#include <unordered_set>

namespace {
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>()(text); }
};

const std::u16string& intern(std::u16string_view text)
{
    // Elements of an unordered_set keep their address when the set grows. Readers make their
    // names once per distinct name, on more than one thread.
    static std::unordered_set<std::u16string, NameHash, std::equal_to<>> names;
    static std::mutex guard;
    const std::lock_guard<std::mutex> lock(guard);
    auto it = names.find(text);
    if (it == names.end()) it = names.emplace(text).first;
    return *it;
}
}  // namespace

KvSharedName::KvSharedName()
{
    static const std::u16string* const kEmpty = &intern(u"");
    m_text = kEmpty;
}

KvSharedName::KvSharedName(std::u16string_view text) : m_text(&intern(text)) {}
