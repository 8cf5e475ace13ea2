// A skin whose client area is one pixel, tiled over a large control: the repeated
// fill against the reference of one listed copy per tile (how it used to be drawn).
// Both run in the same process (scripts/bench-controls --benchmark_filter=Tile).

#include "pictures/bitmap.h"
#include "skin/bs_utils.h"
#include "toolkit/canvas.h"
#include "toolkit/pixel_buffer.h"

#include <benchmark/benchmark.h>

namespace {

// A 20 x 16 skin picture whose client rect is the single pixel (4, 3).
const TRect SkinRect = Rect(0, 0, 20, 16);

void PaintSkinPicture(TBitmap& picture) {
    picture.SetSize(SkinRect.Width(), SkinRect.Height());
    for (int y = 0; y < SkinRect.Height(); ++y)
        for (int x = 0; x < SkinRect.Width(); ++x)
            picture.PixelBuffer().SetPixel(x, y, RGB(x * 10, y * 10, 128));
}

TbsStretchGeometry DotClient(int size) {
    return StretchGeometry({4, 3}, {5, 3}, {4, 4}, {5, 4}, Rect(4, 3, 5, 4), SkinRect.Width(),
                           SkinRect.Height(), size, size);
}

void BM_TileDotClientRepeated(benchmark::State& state) {
    const int size = int(state.range(0));
    TBitmap picture;
    PaintSkinPicture(picture);
    TBitmap image;
    for (auto _ : state) BuildNinePatch(DotClient(size), SkinRect, picture, image, true);
    state.counters["copies"] = double(BuildNinePatch(DotClient(size), SkinRect, true).Copies.size());
}

// The reference: the client tiles listed one by one, then copied one by one.
void BM_TileDotClientPerTileReference(benchmark::State& state) {
    const int size = int(state.range(0));
    TBitmap picture;
    PaintSkinPicture(picture);
    TPixelBuffer target;
    target.Allocate(size, size, pf32bit);
    std::size_t copies = 0;
    for (auto _ : state) {
        TbsCopyList list;
        for (int x = 0; x < size; ++x)
            for (int y = 0; y < size; ++y) list.push_back({Rect(4, 3, 5, 4), Bounds(x, y, 1, 1)});
        for (const TbsCopy& copy : list) target.Canvas().CopyRect(copy.Dest, picture.PixelBuffer(), copy.Source);
        target.Canvas().Flush();
        copies = list.size();
    }
    state.counters["copies"] = double(copies);
}

BENCHMARK(BM_TileDotClientRepeated)->Arg(500)->Arg(1500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TileDotClientPerTileReference)->Arg(500)->Arg(1500)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
