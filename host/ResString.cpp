#include "host/ResString.h"

#include "kv/KvUiLanguage.h"
#include "resources/StringTable.h"

namespace {

const char16_t kMissingText[] = u"???";

}  // namespace

std::u16string LoadResString(unsigned int id)
{
    const char16_t* pText = FindStringTableText(kvGetUiLanguage(), id);
    return pText ? std::u16string(pText) : std::u16string(kMissingText);
}

std::u16string FormatResString(unsigned int id, const std::vector<std::u16string>& inserts)
{
    const char16_t* pText = FindStringTableText(kvGetUiLanguage(), id);
    if (!pText) return kMissingText;

    const std::u16string csTemplate(pText);
    std::u16string csResult;
    csResult.reserve(csTemplate.size());
    for (std::size_t i = 0; i < csTemplate.size(); ++i) {
        const char16_t ch = csTemplate[i];
        const char16_t next = i + 1 < csTemplate.size() ? csTemplate[i + 1] : u'\0';
        if (ch == u'%' && next == u'%') {
            csResult += u'%';
            ++i;
        } else if (ch == u'%' && next >= u'1' && next <= u'9') {
            const std::size_t index = static_cast<std::size_t>(next - u'1');
            // An insert without argument stays visible rather than vanishing silently.
            if (index < inserts.size())
                csResult += inserts[index];
            else
                csResult.append(csTemplate, i, 2);
            ++i;
        } else {
            csResult += ch;
        }
    }
    return csResult;
}
