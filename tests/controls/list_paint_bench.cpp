// How long the list takes to paint and to scroll by a line or from end to end with
// 1,000, 100,000 and 1,000,000 items: only the rows on screen are visited, so all
// should cost the same.
// And how long adding items takes with the sideways bar for wide texts on, against
// measuring every item at every addition. Run with scripts/bench-controls.

#include "skin/controls/skin_list_box.h"
#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/pixel_buffer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

struct TListFixture {
    explicit TListFixture(int count) {
        Form = std::make_unique<TForm>(nullptr);
        List = new TbsSkinListBox(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(250, 75, 257, 394);
        TStringList items;
        for (int i = 0; i < count; ++i) items.Add("Title number " + std::to_string(i));
        List->SetItems(items);
        List->SetItemIndex(count / 2);
        TbsListBox& inner = *List->ListBox();
        Target.Allocate(inner.Width(), inner.Height(), pf32bit);
    }

    void Paint() {
        TCanvas& canvas = Target.Canvas();
        TbsListBox& inner = *List->ListBox();
        inner.Perform(WM_ERASEBKGND, reinterpret_cast<std::intptr_t>(&canvas));
        inner.Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&canvas));
        canvas.Flush();
    }

    std::unique_ptr<TForm> Form;
    TbsSkinListBox* List = nullptr;
    TPixelBuffer Target;
};

void BM_PaintList(benchmark::State& state) {
    TListFixture fixture(int(state.range(0)));
    for (auto _ : state) fixture.Paint();
    state.counters["items"] = double(state.range(0));
}

void BM_ScrollLineAndPaint(benchmark::State& state) {
    TListFixture fixture(int(state.range(0)));
    TbsListBox& inner = *fixture.List->ListBox();
    int step = SB_LINEDOWN;
    for (auto _ : state) {
        if (inner.TopIndex() == 0) step = SB_LINEDOWN;
        if (inner.TopIndex() >= inner.Count() - inner.VisibleRows()) step = SB_LINEUP;
        inner.Perform(WM_VSCROLL, step);
        fixture.Paint();
    }
    state.counters["items"] = double(state.range(0));
}

std::string Title(int i) { return "Title number " + std::to_string(i); }

struct TBareList {
    TBareList() : Form(std::make_unique<TForm>(nullptr)), List(new TbsSkinListBox(Form.get())) {
        List->SetParent(Form.get());
        List->SetBounds(250, 75, 257, 394);
    }
    std::unique_ptr<TForm> Form;
    TbsSkinListBox* List;
};

// Items added one by one, with or without the sideways bar for wide texts: the list
// keeps its widest item as items come, so each addition measures one text.
void BM_AddItems(benchmark::State& state) {
    int count = int(state.range(0));
    bool extent = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto bare = std::make_unique<TBareList>();
        bare->List->SetHorizontalExtent(extent);
        state.ResumeTiming();
        for (int i = 0; i < count; ++i) bare->List->Items().Add(Title(i));
        state.PauseTiming();
        bare.reset();
        state.ResumeTiming();
    }
    state.counters["items"] = double(count);
}

// The reference: the same additions measuring every item after each one, as a list
// that does not keep its widest item must.
void BM_AddItemsMeasuringAll(benchmark::State& state) {
    int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto bare = std::make_unique<TBareList>();
        TbsListBox& inner = *bare->List->ListBox();
        state.ResumeTiming();
        for (int i = 0; i < count; ++i) {
            bare->List->Items().Add(Title(i));
            TCanvas& canvas = inner.Canvas();
            int widest = 0;
            for (int j = 0; j <= i; ++j) widest = std::max(widest, canvas.TextWidth(inner.Items()[j]));
            benchmark::DoNotOptimize(widest);
        }
        state.PauseTiming();
        bare.reset();
        state.ResumeTiming();
    }
    state.counters["items"] = double(count);
}

// The bar's thumb thrown from one end of the list to the other, and the list painted;
// the list must follow the bar all the way.
void BM_ThumbEndToEndAndPaint(benchmark::State& state) {
    TListFixture fixture(int(state.range(0)));
    TbsSkinScrollBar* bar = fixture.List->ScrollBar();
    TbsListBox& inner = *fixture.List->ListBox();
    bool toEnd = true;
    for (auto _ : state) {
        bar->SetPosition(toEnd ? bar->Max() : 0);
        toEnd = !toEnd;
        fixture.Paint();
        if (inner.TopIndex() != bar->Position()) {
            state.SkipWithError("the list did not follow its bar");
            break;
        }
    }
    state.counters["items"] = double(state.range(0));
}

BENCHMARK(BM_PaintList)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollLineAndPaint)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThumbEndToEndAndPaint)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddItems)
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->ArgNames({"items", "extent"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddItemsMeasuringAll)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    TApplication application;
    application.Initialize();
    application.UseManualClock();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
