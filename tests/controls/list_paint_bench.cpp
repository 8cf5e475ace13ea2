// How long the list takes to paint and to scroll by a line with 1,000 and with
// 100,000 items: only the rows on screen are visited, so both should cost the same.
// Run with scripts/bench-controls.

#include "skin/controls/skin_list_box.h"
#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/pixel_buffer.h"

#include <benchmark/benchmark.h>

#include <memory>

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

BENCHMARK(BM_PaintList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollLineAndPaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

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
