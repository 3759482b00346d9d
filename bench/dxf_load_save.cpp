// Loading and saving a large drawing. The drawing is made by bench/make_big_drawing.py at
// bench time (KV_DXF_BENCH_FILE names an existing one); bench/dxf_bench.sh runs it all.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "dxf/DxfReader.h"
#include "dxf/DxfWriter.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbTable.h"

namespace {

const std::string& drawingPath()
{
    static std::string path = [] {
        if (const char* env = std::getenv("KV_DXF_BENCH_FILE")) return std::string(env);
        std::string p = "/tmp/kv_bench_200k.dxf";
        std::string cmd = "/usr/bin/python3 " + std::string(KV_SOURCE_DIR) + "/bench/make_big_drawing.py " + p +
                          " 200000 > /dev/null";
        if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not make %s\n", p.c_str());
        return p;
    }();
    return path;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_LoadDrawing(benchmark::State& state)
{
    std::size_t bytes = 0, objects = 0;
    for (auto _ : state) {
        DxfLoaded loaded = dxfReadFile(drawingPath());
        bytes = loaded.document->source.size();
        objects = loaded.database->allObjects().size();
        benchmark::DoNotOptimize(loaded);
        // Closing the drawing is not part of loading it.
        state.PauseTiming();
        loaded = DxfLoaded();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
    state.counters["objects"] = static_cast<double>(objects);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_RSS_MB"] = peakMegabytes();
}

void BM_SaveUnchanged(benchmark::State& state)
{
    DxfLoaded loaded = dxfReadFile(drawingPath());
    const std::string out = drawingPath() + ".saved";
    for (auto _ : state) dxfWriteFile(*loaded.database, *loaded.document, out);
    state.SetBytesProcessed(static_cast<std::int64_t>(loaded.document->source.size() * state.iterations()));
    state.counters["peak_RSS_MB"] = peakMegabytes();
    std::remove(out.c_str());
}

// The plug-in's usual change: one new 50 x 6 table; everything else is copied as read.
void BM_SaveWithNewTable(benchmark::State& state)
{
    DxfLoaded loaded = dxfReadFile(drawingPath());
    auto* table = new KvDbTable;
    table->setSize(50, 6);
    table->setColumnWidth(20.0);
    for (int r = 0; r < 50; ++r)
        for (int c = 0; c < 6; ++c) table->setTextString(r, c, u"cell");
    KvDbBlockTableRecord* ms = nullptr;
    if (kvdbOpenObject(ms, loaded.database->modelSpaceId(), KvDb::kForWrite) == Kvmo::eOk) {
        ms->appendKvDbEntity(table);
        ms->close();
        table->close();
    }
    const std::string out = drawingPath() + ".saved";
    for (auto _ : state) dxfWriteFile(*loaded.database, *loaded.document, out);
    state.SetBytesProcessed(static_cast<std::int64_t>(loaded.document->source.size() * state.iterations()));
    state.counters["peak_RSS_MB"] = peakMegabytes();
    std::remove(out.c_str());
}

}  // namespace

// Load runs first and alone in a fresh process when filtered, so its peak is its own; one
// load, as a user opening a drawing sees it (later loads in the same process reuse memory
// already taken from the system and run faster).
BENCHMARK(BM_LoadDrawing)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SaveUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveWithNewTable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
