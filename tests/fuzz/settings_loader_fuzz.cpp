// libFuzzer target: any bytes either give a settings file's names or say why they gave
// none, without exhausting the stack or taking long (the XML parser recurses per level and
// compares attributes pairwise); a file that gave no names leaves the list as it was.
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>
#include <string_view>

#include "export/ExtractionSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::list<std::u16string> lsNames{u"kept"};
    SettingsFileProblem problem;
    const bool bRead = ReadExtractionSettings(bytes, lsNames, &problem);
    using Kind = SettingsFileProblem::Kind;
    const bool bNamesRead = problem.kind == Kind::None;
    if (bRead != (bNamesRead || problem.kind == Kind::NotSettings)) std::abort();
    if (!bNamesRead && lsNames.size() != 1) std::abort();
    if (bNamesRead != SettingsNotReadLine(u"f.kvx", problem).empty()) std::abort();
    return 0;
}
