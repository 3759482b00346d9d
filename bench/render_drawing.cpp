// Redrawing a large drawing at its extents, as the view does on every pan, zoom and change:
// the 200,000-entity drawing of bench/make_big_drawing.py (KV_DXF_BENCH_FILE names an
// existing one), in a window of 1280 x 800 pixels. Building the view's scene (once per
// change of the drawing) and zoomed-in redraws are measured beside it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "dxf/DxfHostFiles.h"
#include "kv/KvDbDatabase.h"
#include "kvrender/DrawingScene.h"
#include "kvrender/SceneRenderer.h"

namespace {

constexpr int kWidth = 1280, kHeight = 800;

KvDbDatabase& bigDrawing()
{
    static std::unique_ptr<KvDbDatabase> db = [] {
        std::string path = "/tmp/kv_bench_200k.dxf";
        if (const char* env = std::getenv("KV_DXF_BENCH_FILE")) {
            path = env;
        } else {
            const std::string cmd = "/usr/bin/python3 " + std::string(KV_SOURCE_DIR) + "/bench/make_big_drawing.py " +
                                    path + " 200000 > /dev/null";
            if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not make %s\n", path.c_str());
        }
        std::string error;
        std::unique_ptr<KvDbDatabase> loaded = dxfOpenDrawing(path, error);
        if (!loaded) std::fprintf(stderr, "%s\n", error.c_str());
        return loaded;
    }();
    return *db;
}

const DrawingScene& bigScene()
{
    static DrawingScene scene(bigDrawing());
    return scene;
}

void BM_BuildScene(benchmark::State& state)
{
    for (auto _ : state) {
        DrawingScene scene(bigDrawing());
        benchmark::DoNotOptimize(scene.items().data());
    }
    state.counters["items"] = static_cast<double>(bigScene().items().size());
}

// factor 1: the whole drawing; larger: zoomed in at the centre.
void BM_RedrawAt(benchmark::State& state)
{
    const DrawingScene& scene = bigScene();
    RenderView view(kWidth, kHeight);
    view.zoomExtents(scene.extents());
    view.zoomAt(kWidth / 2.0, kHeight / 2.0, static_cast<double>(state.range(0)));
    RasterCanvas canvas(kWidth, kHeight);
    for (auto _ : state) {
        SceneRenderer::render(scene, view, canvas);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_BuildScene)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RedrawAt)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
