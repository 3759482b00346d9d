// Reading a large mixed selection into an engine: it must grow linearly with the number of
// objects.
#include <benchmark/benchmark.h>

#include <memory>
#include <numbers>
#include <string>

#include "engine/ExtractionEngine.h"
#include "kv/kv.h"

namespace {

// A drawing of n objects: 40% block references with four attributes, the rest spread
// over lines, polylines, arcs, circles, points, texts and solids.
class MixedDrawing {
public:
    explicit MixedDrawing(std::int64_t n) : m_db(std::make_unique<KvDbDatabase>())
    {
        kvdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        m_db->setLuprec(2);
        const KvDbObjectId idBlocks[] = {Definition(u"Door"), Definition(u"Window"), Definition(u"Chair")};

        KvDbBlockTableRecord* pSpace = nullptr;
        kvdbOpenObject(pSpace, m_db->modelSpaceId(), KvDb::kForWrite);
        for (std::int64_t i = 0; i < n; ++i) {
            const double x = static_cast<double>(i % 1000) * 1.37;
            const double y = static_cast<double>(i / 1000) * 0.91;
            KvDbEntity* pEntity = nullptr;
            switch (i % 10) {
            case 0: case 1: case 2: case 3: {
                auto* pReference = new KvDbBlockReference;
                pReference->setBlockTableRecord(idBlocks[i % 3]);
                pReference->setPosition({x, y, 0});
                pReference->setRotation(static_cast<double>(i % 8) * std::numbers::pi / 4);
                KvDbObjectId id;
                pSpace->appendKvDbEntity(id, pReference);
                for (int a = 0; a < 4; ++a) {
                    auto* pAttribute = new KvDbAttribute;
                    pAttribute->setTag(u"TAG" + std::u16string(1, char16_t(u'A' + a)));
                    pAttribute->setTextString(a % 2 ? u"12.345" : u"Oak " + std::u16string(1, char16_t(u'0' + i % 7)));
                    KvDbObjectId idAttribute;
                    pReference->appendAttribute(idAttribute, pAttribute);
                    pAttribute->close();
                }
                pReference->close();
                continue;
            }
            case 4: pEntity = new KvDbLine({x, y, 0}, {x + 3.3, y - 1.1, 0}); break;
            case 5: {
                auto* pPolyline = new KvDbPolyline;
                pPolyline->addVertexAt(0, {x, y});
                pPolyline->addVertexAt(1, {x + 2, y});
                pPolyline->addVertexAt(2, {x + 2, y + 1.5});
                pPolyline->setClosed(i % 20 == 5);
                pEntity = pPolyline;
                break;
            }
            case 6: pEntity = new KvDbArc({x, y, 0}, 1.25, 0.3, 2.2); break;
            case 7: pEntity = new KvDbCircle({x, y, 0}, 0.75); break;
            case 8: pEntity = new KvDbPoint({x, y, 1}); break;
            default: {
                auto* pText = new KvDbMText;
                pText->setContents(u"Room " + std::u16string(1, char16_t(u'A' + i % 26)));
                pText->setLocation({x, y, 0});
                pEntity = pText;
                break;
            }
            }
            KvDbObjectId id;
            pSpace->appendKvDbEntity(id, pEntity);
            pEntity->close();
        }
        pSpace->close();
        kvedSSGet(u"A", nullptr, nullptr, nullptr, m_ss);
        kvedSSLength(m_ss, &m_count);
    }

    ~MixedDrawing()
    {
        kvedSSFree(m_ss);
        kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    const kv_name& Selection() const { return m_ss; }
    std::int32_t Count() const { return m_count; }

private:
    KvDbObjectId Definition(const std::u16string& name)
    {
        KvDbBlockTable* pTable = nullptr;
        m_db->getBlockTable(pTable, KvDb::kForWrite);
        auto* pRecord = new KvDbBlockTableRecord;
        pRecord->setName(name);
        KvDbObjectId id;
        pTable->add(id, pRecord);
        pRecord->close();
        pTable->close();
        return id;
    }

    std::unique_ptr<KvDbDatabase> m_db;
    kv_name m_ss = {0, 0};
    std::int32_t m_count = 0;
};

// One drawing at a time: the largest takes a good part of the memory. Released before
// the host's own statics go.
std::unique_ptr<MixedDrawing> g_pDrawing;
std::int64_t g_drawingSize = -1;

MixedDrawing& DrawingOf(std::int64_t n)
{
    if (g_drawingSize != n) {
        g_pDrawing.reset();
        g_pDrawing = std::make_unique<MixedDrawing>(n);
        g_drawingSize = n;
    }
    return *g_pDrawing;
}

void BM_BuildEngine(benchmark::State& state)
{
    MixedDrawing& drawing = DrawingOf(state.range(0));
    const PropertyCatalog catalog;
    for (auto _ : state) {
        ExtractionEngine engine(drawing.Selection(), drawing.Count(), catalog);
        benchmark::DoNotOptimize(engine.lsBlocks.data());
    }
    state.SetItemsProcessed(state.iterations() * drawing.Count());
}

BENCHMARK(BM_BuildEngine)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_pDrawing.reset();
    return 0;
}
