#include "export/ExportOutcome.h"

#include "host/ResString.h"
#include "kv/KvConsole.h"
#include "kv/KvString.h"

namespace {
constexpr unsigned int kIdFileNotWritten = 305;
constexpr unsigned int kIdLeftOutOfWorkbook = 306;
constexpr unsigned int kIdRowsLeftOut = 307;
constexpr unsigned int kIdColumnsLeftOut = 308;
constexpr unsigned int kIdCharactersLeftOut = 309;
constexpr unsigned int kIdOneRowLeftOut = 310;
constexpr unsigned int kIdOneColumnLeftOut = 311;
constexpr unsigned int kIdOneCharacterLeftOut = 312;

std::u16string Count(std::size_t n)
{
    return kvFromUtf8(std::to_string(n));
}
}  // namespace

std::u16string FileNotWrittenLine(const std::u16string& csPath, const std::string& csError)
{
    return FormatResString(kIdFileNotWritten, {csPath, kvFromUtf8(csError)});
}

std::u16string ExportOutcomeLine(const ExportOutcome& outcome, const std::u16string& csPath)
{
    if (!outcome.csError.empty()) return FileNotWrittenLine(csPath, outcome.csError);
    std::u16string csParts;
    auto add = [&csParts](std::size_t n, unsigned int idOne, unsigned int idMany) {
        if (n == 0) return;
        if (!csParts.empty()) csParts += u", ";
        csParts += n == 1 ? LoadResString(idOne) : FormatResString(idMany, {Count(n)});
    };
    add(outcome.nRowsLeftOut, kIdOneRowLeftOut, kIdRowsLeftOut);
    add(outcome.nColumnsLeftOut, kIdOneColumnLeftOut, kIdColumnsLeftOut);
    add(outcome.nCharactersLeftOut, kIdOneCharacterLeftOut, kIdCharactersLeftOut);
    if (csParts.empty()) return {};
    return FormatResString(kIdLeftOutOfWorkbook, {csParts});
}

void PrintExportReport(unsigned int idDone, const std::u16string& csPath, const ExportOutcome& outcome)
{
    kvutPrintf(u"%s", FormatResString(idDone, {csPath}).c_str());
    const std::u16string csLine = ExportOutcomeLine(outcome, csPath);
    if (!csLine.empty()) kvutPrintf(u"%s", csLine.c_str());
}
