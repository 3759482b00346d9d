// Table assembly at scale: building the rows, counting identical rows with the totals line,
// and combining rows by a column, on selections with the duplication of real drawings
// (few layers and blocks, repeated lengths and attribute values).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <map>
#include <memory>

#include "engine/ExtractionEngine.h"
#include "kv/KvUiLanguage.h"
#include "table/BuildTable.h"
#include "table/CombineRows.h"
#include "engine/NumberText.h"
#include "table/TotalLine.h"

namespace {

const std::vector<std::u16string> kLayers = {u"0",         u"Walls",      u"Doors",    u"Windows",
                                             u"Furniture", u"Electrical", u"Plumbing", u"Dimensions",
                                             u"Hatch",     u"Grid",       u"Text",     u"Roof"};
const std::vector<std::u16string> kColors = {u"ByLayer", u"1", u"2", u"5", u"ByBlock"};
const std::vector<std::u16string> kBlocks = {u"Door", u"Window", u"Chair", u"Desk", u"Socket", u"Lamp", u"Sink", u"WC"};

std::u16string HexHandle(std::size_t n)
{
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string csHandle;
    do {
        csHandle.insert(csHandle.begin(), kDigits[n % 16]);
        n /= 16;
    } while (n);
    return csHandle;
}

// 60% lines, 20% circles, 20% blocks with two attributes, in a fixed pseudo-random mix.
std::unique_ptr<ExtractionEngine> MakeEngine(std::size_t nObjects)
{
    kvSetUiLanguage(KvUiLanguage::English);
    auto pEngine = std::make_unique<ExtractionEngine>();
    pEngine->lsLines.reserve(nObjects * 6 / 10 + nObjects / 20);
    pEngine->lsCircles.reserve(nObjects * 2 / 10 + nObjects / 20);
    pEngine->lsBlocks.reserve(nObjects * 2 / 10 + nObjects / 20);
    std::uint32_t seed = 2026;
    auto next = [&] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    for (std::size_t i = 0; i < nObjects; ++i) {
        const std::uint32_t kind = next() % 10;
        auto named = [&](auto& record, ObjKind type, const std::u16string& csName) -> auto&
        {
            record.type = type;
            record.csName = csName;
            record.csHandle = HexHandle(0x100 + i);
            return record;
        };
        if (kind == 6 || kind == 7) {
            const std::size_t iBlock = next() % kBlocks.size();
            BlockEnt& block = named(pEngine->lsBlocks.emplace_back(), kObjBlock, kBlocks[iBlock]);
            block.idBlkTblRec = KvDbObjectId(10 + iBlock);
            block.rotationVal = 90.0 * (next() % 4);
            block.scale3d = KvGeScale3d(1, 1, 1);
            block.lsAttributs = {{u"Width", FormatNumber(60 + 10 * (next() % 6)), true},
                                 {u"Maker", next() % 2 ? u"Acme" : u"Bolt", false}};
            continue;
        }
        CommonProps common;
        common.csLayer = kLayers[next() % kLayers.size()];
        common.csColor = kColors[next() % kColors.size()];
        common.lineTypeScale = 1;
        common.csLineWeight = u"ByLayer";
        common.csLineType = u"Continuous";
        if (kind < 6) {
            Line& line = named(pEngine->lsLines.emplace_back(), kObjLine, u"Line");
            line.commonProps = common;
            line.length = 50 * (1 + next() % 40);
        } else {
            Circle& circle = named(pEngine->lsCircles.emplace_back(), kObjCircle, u"Circle");
            circle.commonProps = common;
            circle.radius = 25 * (1 + next() % 8);
            circle.diameter = 2 * circle.radius;
        }
    }
    pEngine->lsObjectsSel = {u"Line", u"Circle", u"Block"};
    return pEngine;
}

const std::vector<std::u16string> kProps = {u"Object type", u"Layer", u"Color", u"Linetype", u"Length", u"Radius",
                                            u"Diameter",    u"Width", u"Maker", u"Rotation", u"Preview"};
const TotalColumns kTotals = {u"Length", u"Diameter", u"Width", u"Qty"};

struct Selection {
    std::unique_ptr<ExtractionEngine> pEngine;
    TableData veRows;  // one row per object, names shown, no reduction
};

// Built once per size, with a throwaway copy of the table so the timed runs reuse memory the
// allocator already holds instead of measuring this process's first touch of fresh pages.
Selection& SelectionOf(std::size_t nObjects)
{
    static std::map<std::size_t, Selection> selections;
    Selection& selection = selections[nObjects];
    if (!selection.pEngine) {
        selection.pEngine = MakeEngine(nObjects);
        HandleBlockMap blocks;
        BuildTable(*selection.pEngine, kProps, false, true, {}, u"", selection.veRows, blocks);
        TableData veWarmUp = selection.veRows;
        benchmark::DoNotOptimize(veWarmUp);
    }
    return selection;
}

// The wizard's path with quantities and names: rows, counting, then the totals line.
void BuildCountAndTotal(benchmark::State& state)
{
    ExtractionEngine& engine = *SelectionOf(static_cast<std::size_t>(state.range(0))).pEngine;
    std::size_t nRows = 0;
    for (auto _ : state) {
        TableData table;
        HandleBlockMap blocks;
        BuildTable(engine, kProps, true, true, kTotals, u"", table, blocks);
        const TableRow totals = ComputeTotalLine(table, kTotals);
        nRows = table.size();
        benchmark::DoNotOptimize(totals);
    }
    state.counters["rows_kept"] = static_cast<double>(nRows);
}

// The combining step alone, on the unreduced table.
void CombineByLayer(benchmark::State& state)
{
    const TableData& full = SelectionOf(static_cast<std::size_t>(state.range(0))).veRows;
    std::size_t nRows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TableData table = full;
        state.ResumeTiming();
        CombineRows(table, u"Layer", kTotals);
        nRows = table.size();
        state.PauseTiming();
        table = TableData();  // freeing the big copy is not part of combining
        state.ResumeTiming();
    }
    state.counters["rows_kept"] = static_cast<double>(nRows);
}

}  // namespace

BENCHMARK(BuildCountAndTotal)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(0.2);
BENCHMARK(CombineByLayer)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(0.2);

int main(int argc, char** argv)
{
    // Keep freed memory in the process, as a long-running host's allocator does.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
