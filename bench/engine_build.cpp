// Reading a large mixed selection into an engine: it must grow linearly with the number of
// objects.
#include <benchmark/benchmark.h>

#include <numbers>

#include "BenchDrawing.h"

namespace {

// A drawing of n objects: 40% block references with four attributes, the rest spread
// over lines, polylines, arcs, circles, points, texts and solids.
struct MixedDrawing {
    explicit MixedDrawing(std::int64_t n)
    {
        drawing.Db().setLuprec(2);
        const KvDbObjectId idBlocks[] = {drawing.BlockDefinition(u"Door"), drawing.BlockDefinition(u"Window"),
                                         drawing.BlockDefinition(u"Chair")};
        for (std::int64_t i = 0; i < n; ++i) {
            const double x = static_cast<double>(i % 1000) * 1.37;
            const double y = static_cast<double>(i / 1000) * 0.91;
            switch (i % 10) {
            case 0:
            case 1:
            case 2:
            case 3: {
                auto* pReference = new KvDbBlockReference;
                pReference->setBlockTableRecord(idBlocks[i % 3]);
                pReference->setPosition({x, y, 0});
                pReference->setRotation(static_cast<double>(i % 8) * std::numbers::pi / 4);
                drawing.Append(pReference, [i](KvDbBlockReference& reference) {
                    for (int a = 0; a < 4; ++a) {
                        auto* pAttribute = new KvDbAttribute;
                        pAttribute->setTag(u"TAG" + std::u16string(1, char16_t(u'A' + a)));
                        pAttribute->setTextString(a % 2 ? u"12.345"
                                                        : u"Oak " + std::u16string(1, char16_t(u'0' + i % 7)));
                        KvDbObjectId idAttribute;
                        reference.appendAttribute(idAttribute, pAttribute);
                        pAttribute->close();
                    }
                });
                break;
            }
            case 4: drawing.Append(new KvDbLine({x, y, 0}, {x + 3.3, y - 1.1, 0})); break;
            case 5:
                drawing.Append(new KvDbPolyline, [&](KvDbPolyline& polyline) {
                    polyline.addVertexAt(0, {x, y});
                    polyline.addVertexAt(1, {x + 2, y});
                    polyline.addVertexAt(2, {x + 2, y + 1.5});
                    polyline.setClosed(i % 20 == 5);
                });
                break;
            case 6: drawing.Append(new KvDbArc({x, y, 0}, 1.25, 0.3, 2.2)); break;
            case 7: drawing.Append(new KvDbCircle({x, y, 0}, 0.75)); break;
            case 8: drawing.Append(new KvDbPoint({x, y, 1})); break;
            default:
                drawing.Append(new KvDbMText, [&](KvDbMText& text) {
                    text.setContents(u"Room " + std::u16string(1, char16_t(u'A' + i % 26)));
                    text.setLocation({x, y, 0});
                });
            }
        }
        drawing.EndFilling();
        pSelection = std::make_unique<WholeSelection>();
    }
    BenchDrawing drawing;
    std::unique_ptr<WholeSelection> pSelection;  // freed before the drawing
};

// One drawing at a time: the largest takes a good part of the memory. Released before
// the host's own statics go.
std::unique_ptr<MixedDrawing> g_pDrawing;

MixedDrawing& DrawingOf(std::int64_t n)
{
    static std::int64_t drawingSize = -1;
    if (drawingSize != n) {
        g_pDrawing.reset();
        g_pDrawing = std::make_unique<MixedDrawing>(n);
        drawingSize = n;
    }
    return *g_pDrawing;
}

void BM_BuildEngine(benchmark::State& state)
{
    const WholeSelection& selection = *DrawingOf(state.range(0)).pSelection;
    const PropertyCatalog catalog;
    for (auto _ : state) {
        ExtractionEngine engine(selection.ss, selection.n, catalog);
        benchmark::DoNotOptimize(engine.lsBlocks.items().data());
    }
    state.SetItemsProcessed(state.iterations() * selection.n);
}

BENCHMARK(BM_BuildEngine)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_pDrawing.reset();
    return 0;
}
