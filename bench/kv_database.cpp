// The drawing database on large drawings: building, selecting everything, walking in
// creation order, and opening each selected entity as the extraction does.
#include <benchmark/benchmark.h>

#include "kv/kv.h"

namespace {

void fill(KvDbDatabase& db, int count)
{
    KvDbBlockTableRecord* pModel = nullptr;
    kvdbOpenObject(pModel, db.modelSpaceId(), KvDb::kForWrite);
    for (int i = 0; i < count; ++i) {
        KvDbEntity* pEntity = (i % 2) ? static_cast<KvDbEntity*>(new KvDbLine(KvGePoint3d(i, 0, 0), KvGePoint3d(i, 1, 0)))
                                      : new KvDbCircle(KvGePoint3d(i, 0, 0), 1.0);
        KvDbObjectId id;
        pModel->appendKvDbEntity(id, pEntity);
        pEntity->close();
    }
    pModel->close();
}

void BM_BuildDrawing(benchmark::State& state)
{
    for (auto _ : state) {
        KvDbDatabase db;
        fill(db, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(db.handseed());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildDrawing)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndOpenEach(benchmark::State& state)
{
    KvDbDatabase db;
    fill(db, static_cast<int>(state.range(0)));
    kvdbHostApplicationServices()->setWorkingDatabase(&db);
    resbuf* pFilter = kvutBuildList(RTDXF0, u"LINE", 0);
    for (auto _ : state) {
        kv_name ss;
        kvedSSGet(u"A", nullptr, nullptr, pFilter, ss);
        std::int32_t n = 0;
        kvedSSLength(ss, &n);
        double total = 0.0;
        for (std::int32_t i = 0; i < n; ++i) {
            kv_name ent;
            KvDbObjectId id;
            KvDbLine* pLine = nullptr;
            kvedSSName(ss, i, ent);
            kvdbGetObjectId(id, ent);
            if (kvdbOpenObject(pLine, id, KvDb::kForRead) == Kvmo::eOk) {
                total += pLine->startPoint().distanceTo(pLine->endPoint());
                pLine->close();
            }
        }
        kvedSSFree(ss);
        benchmark::DoNotOptimize(total);
    }
    kvutRelRb(pFilter);
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SelectAllAndOpenEach)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WalkWithEntNext(benchmark::State& state)
{
    KvDbDatabase db;
    fill(db, static_cast<int>(state.range(0)));
    kvdbHostApplicationServices()->setWorkingDatabase(&db);
    for (auto _ : state) {
        kv_name name = {0, 0}, next;
        std::int64_t count = 0;
        while (kvdbEntNext(name, next) == RTNORM) {
            name[0] = next[0];
            name[1] = next[1];
            ++count;
        }
        benchmark::DoNotOptimize(count);
    }
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WalkWithEntNext)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
