// Writing a full sheet (65,536 rows x 10 columns of mixed texts) to XLS and to CSV.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "ExcelFormat/XlsExport.h"
#include "export/CsvExport.h"
#include "kv/KvHostVariables.h"
#include "kv/KvString.h"

namespace {

constexpr int kRows = 65536;
constexpr int kColumns = 10;

// Names, repeated layer names, decimals, integers, accented and Greek texts, empty cells.
const TableData& MixedTable()
{
    static const TableData table = [] {
        TableData rows;
        rows.reserve(kRows);
        TableRow header;
        for (int c = 0; c < kColumns; ++c) header.push_back(u"Column " + kvFromUtf8(std::to_string(c)));
        rows.push_back(header);
        for (int r = 1; r < kRows; ++r) {
            const std::u16string csRow = kvFromUtf8(std::to_string(r));
            rows.push_back({kvFromUtf8(std::to_string(0x1000 + r)), u"Block reference " + csRow,
                            u"Layer " + kvFromUtf8(std::to_string(r % 12)), kvFromUtf8(std::to_string(r * 0.125)),
                            kvFromUtf8(std::to_string(r % 1000)), u"Caf\u00E9 \u03B1\u03B2 " + csRow,
                            r % 7 ? u"ByLayer" : u"", kvFromUtf8(std::to_string(r * 1.5e3)), u"Continuous",
                            u"http://example.com/item/" + csRow});
        }
        return rows;
    }();
    return table;
}

std::filesystem::path OutputPath(const char* csName)
{
    return std::filesystem::temp_directory_path() / csName;
}

void Report(benchmark::State& state, const std::filesystem::path& path)
{
    const auto nBytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * nBytes);
    state.counters["file_MB"] = static_cast<double>(nBytes) / 1e6;
    std::filesystem::remove(path);
}

void BM_ExportXls(benchmark::State& state)
{
    KvHostVariables::instance().set(u"VERLAN", KvTypedValue(1, u"en-US"));
    const TableData& table = MixedTable();
    const auto path = OutputPath("bench_export.xls");
    for (auto _ : state) ExportXlsFromTable(table, kvFromUtf8(path.string()));
    Report(state, path);
}

void BM_ExportCsv(benchmark::State& state)
{
    KvHostVariables::instance().set(u"VERLAN", KvTypedValue(1, u"en-US"));
    const TableData& table = MixedTable();
    const auto path = OutputPath("bench_export.csv");
    for (auto _ : state) ExportCsvFromTable(table, kvFromUtf8(path.string()), u",");
    Report(state, path);
}

}  // namespace

BENCHMARK(BM_ExportXls)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
