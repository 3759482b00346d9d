#include "engine/SharedText.h"

#include <functional>
#include <unordered_set>

namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const noexcept { return std::hash<std::u16string_view>()(text); }
};

constinit const std::u16string kEmpty;

// Elements of an unordered_set keep their address when it grows. The plug-in runs on the
// host's one command thread.
const std::u16string& Intern(std::u16string_view text)
{
    if (text.empty()) return kEmpty;
    static std::unordered_set<std::u16string, TextHash, std::equal_to<>> texts;
    auto it = texts.find(text);
    if (it == texts.end()) it = texts.emplace(text).first;
    return *it;
}

}  // namespace

SharedText::SharedText() noexcept : m_pText(&kEmpty) {}

SharedText::SharedText(std::u16string_view text) : m_pText(&Intern(text)) {}
