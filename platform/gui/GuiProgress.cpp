#include "GuiProgress.h"

#include <wx/app.h>

#include <utility>

#include "GuiMainFrame.h"
#include "kv/KvString.h"
#include "kvgui/GuiHostTexts.h"

namespace {
constexpr auto kShowAfter = std::chrono::seconds(1);
constexpr auto kUpdateEvery = std::chrono::milliseconds(100);

// The reader and writer name their work in English, as the console's progress line does;
// the status bar says it in the user's language.
std::string statusText(const std::u16string& what)
{
    const std::string text = kvToUtf8(what);
    const std::pair<const char*, GuiHostText> known[] = {{"Opening ", GuiHostText::kOpeningFile},
                                                         {"Saving ", GuiHostText::kSavingFile}};
    for (const auto& [prefix, id] : known) {
        const std::string start(prefix);
        if (text.compare(0, start.size(), start) == 0)
            return wxString::Format(kvguiHostText(id), wxString::FromUTF8(text.substr(start.size()))).utf8_string();
    }
    return text;
}
}  // namespace

void GuiProgress::begin(const std::u16string& what, std::uint64_t total)
{
    m_what = statusText(what);
    m_total = total;
    m_start = m_last = Clock::now();
    m_bShown = false;
}

void GuiProgress::advance(std::uint64_t done)
{
    const Clock::time_point now = Clock::now();
    if (now - m_start < kShowAfter || (m_bShown && now - m_last < kUpdateEvery)) return;
    m_bShown = true;
    m_last = now;
    m_frame.ShowProgress(m_what, m_total > 0 ? static_cast<double>(std::min(done, m_total)) / m_total : 0.0);
    // Paint the bar; clicks and keys stay queued until the operation is over.
    wxTheApp->SafeYieldFor(nullptr, wxEVT_CATEGORY_UI);
}

void GuiProgress::end()
{
    if (m_bShown) m_frame.ShowProgress(std::string(), -1.0);
    m_bShown = false;
}
