// Refreshing a 20,000-row extraction table of which 1% changed: the table work alone
// (cells compared and rewritten, rows dropped, totals recomputed) and the whole refresh
// command including the drawing's own reading, with that reading measured on its own.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchDrawing.h"
#include "drawing/ExtractionTag.h"
#include "drawing/EditorInteraction.h"
#include "drawing/TableCellsUpdate.h"
#include "drawing/TableWriter.h"
#include "drawing/UpdateModes.h"
#include "table/BuildTable.h"
#include "table/TotalLine.h"

namespace {

constexpr int kObjects = 20000;
constexpr int kChangedEvery = 100;  // 1%

class NoDialog : public EditorInteraction {
public:
    void BeginEditorCommand() override {}
    void CompleteEditorCommand() override {}
    void CancelEditorCommand() override {}
    bool AskSaveFile(const std::u16string&, const std::u16string&, std::u16string&, int&) override { return false; }
};

// A drawing of 20,000 lines on ten layers with a tagged extraction table (Layer, Length, totals).
struct Drawing {
    BenchDrawing drawing;
    std::vector<KvDbObjectId> lines;
    UpdateDialogState state;
    KvDbObjectId idTable;
    TableData veTable;  // as inserted, totals rows included
    std::vector<std::u16string> lsHandles;

    Drawing()
    {
        for (int i = 0; i < kObjects; ++i) {
            auto* pLine = new KvDbLine(KvGePoint3d(0, i, 0), KvGePoint3d(1 + i % 97, i, 0));
            pLine->setLayer(u"L" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
            lines.push_back(drawing.Append(pLine));
        }
        drawing.EndFilling();

        ExtractionEngine engine = BenchDrawing::ReadAll(state.catalog);
        engine.SelectObjectTypes({u"Line"});
        HandleBlockMap blocks;
        BuildTable(engine, {u"Layer", u"Length"}, false, false, {u"Length"}, u"", veTable, blocks);
        TableRow lsLine = ComputeTotalLine(veTable, {u"Length", state.catalog.csQty});
        veTable.emplace_back(veTable[0].size());
        veTable.push_back(lsLine);
        idTable = CreateTable(veTable, blocks, ColumnIncludeFlags(3, true), {1, 2}, {}, KvGePoint3d(),
                              state.catalog.previewItem.name);
        lsHandles = RowHandles(veTable, true);
        AppendTagItems(idTable, kTagHandles, lsHandles);
        AppendTagItems(idTable, kTagTypes, {u"Line"});
        kvdbGetAdsName(state.enTable, idTable);
        state.bTableSelected = true;
    }

    // Lengthens every hundredth line; iStep alternates so that every run finds changes.
    void Change(int iStep)
    {
        for (int i = 0; i < kObjects; i += kChangedEvery) {
            KvDbLine* pLine = nullptr;
            if (kvdbOpenObject(pLine, lines[i], KvDb::kForWrite) != Kvmo::eOk) continue;
            pLine->setEndPoint(KvGePoint3d(1 + i % 97 + (iStep % 2 == 0 ? 0.5 : 0.25), i, 0));
            pLine->close();
        }
    }
};

Drawing& TheDrawing()
{
    static Drawing drawing;
    return drawing;
}

// The table work alone: a fresh copy of the inserted table against a new reading in which
// 1% of the rows changed value and 1% of the objects are gone.
void BM_UpdateTableCells(benchmark::State& st)
{
    Drawing& d = TheDrawing();
    TableData veEngine(d.veTable.begin(), d.veTable.end() - 2);
    for (std::size_t j = 1; j < veEngine.size(); j += kChangedEvery) veEngine[j][2] += u"5";
    TableData veErased{veEngine[0]};
    for (std::size_t j = 1; j < veEngine.size(); ++j) {
        if (j % kChangedEvery != 50) veErased.push_back(veEngine[j]);
    }
    std::size_t nWrites = 0;
    for (auto _ : st) {
        st.PauseTiming();
        KvDbTable table;
        FillNewTable(d.veTable, {}, ColumnIncludeFlags(3, true), {1, 2}, {}, u"Preview", table);
        TableData veCopy = veErased;
        std::vector<std::u16string> lsHandles = d.lsHandles;
        st.ResumeTiming();
        const bool bChanged = UpdateTableCells(veCopy, table, lsHandles, false);
        benchmark::DoNotOptimize(bChanged);
        nWrites = lsHandles.size();
    }
    st.counters["rows_left"] = static_cast<double>(nWrites);
}
BENCHMARK(BM_UpdateTableCells)->Unit(benchmark::kMillisecond)->Iterations(5);

// The drawing's own reading, for subtraction from the whole command.
void BM_ReadDrawing(benchmark::State& st)
{
    Drawing& d = TheDrawing();
    for (auto _ : st) {
        ExtractionEngine engine = BenchDrawing::ReadAll(d.state.catalog);
        benchmark::DoNotOptimize(engine.lsLines.size());
    }
}
BENCHMARK(BM_ReadDrawing)->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole "select table and update" mode.
void BM_RefreshCommand(benchmark::State& st)
{
    Drawing& d = TheDrawing();
    NoDialog ui;
    int iStep = 0;
    for (auto _ : st) {
        st.PauseTiming();
        d.Change(iStep++);
        KvConsole::instance().clearRecorded();
        st.ResumeTiming();
        UpdateSelectedTable(d.state, ui);
    }
    st.SetLabel(kvToUtf8(KvConsole::instance().recorded()).substr(1));
}
BENCHMARK(BM_RefreshCommand)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
