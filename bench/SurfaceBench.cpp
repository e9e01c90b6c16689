#include <benchmark/benchmark.h>

#include <vector>

#include "BenchSurfaces.h"
#include "platform/Surface.h"

using namespace gorb;
using gorb::bench::KeyedSheet;

namespace {

// A keyed blit onto the 612 x 330 play area: args = depth, width, height.
void BM_KeyedBlt(benchmark::State& state) {
    int bits = int(state.range(0)), w = int(state.range(1)), h = int(state.range(2));
    auto src = KeyedSheet(w, h, bits);
    auto back = std::make_shared<Surface>(612, 330, bits);
    Rect s{0, 0, w, h}, d{101, 0, 101 + w, h};
    for (auto _ : state) {
        back->Blt(d, src, s, DDBLT_KEYSRC);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_KeyedBlt)->ArgsProduct({{8, 16, 32}, {150}, {330}})->ArgsProduct({{8, 16, 32}, {80}, {64}});

// Loading the largest 24-bit sheet (430 x 924) at each depth, once per game start; at 8 bits
// the second argument 1 puts a key pixel in it (a sheet: ordered dithering), 0 leaves it opaque
// (a picture: error diffusion).
void BM_SheetFromBitmap(benchmark::State& state) {
    int bits = int(state.range(0));
    int w = 430, h = 924, row = (w * 3 + 3) & ~3;
    std::vector<uint8_t> bmp(54 + size_t(row) * size_t(h), 0);
    auto put32 = [&](size_t at, uint32_t x) {
        for (int i = 0; i < 4; ++i) bmp[at + size_t(i)] = uint8_t(x >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, uint32_t(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    bmp[26] = 1;
    bmp[28] = 24;
    for (size_t i = 54; i < bmp.size(); ++i) bmp[i] = uint8_t((i * 37) ^ (i >> 7));  // many colours
    if (state.range(1)) bmp[54] = 255, bmp[55] = 0, bmp[56] = 255;  // the key colour, blue first
    for (auto _ : state) benchmark::DoNotOptimize(Surface::FromBitmap(bmp, bits));
}
BENCHMARK(BM_SheetFromBitmap)->Args({8, 0})->Args({8, 1})->Args({16, 0})->Args({32, 0})->Unit(benchmark::kMillisecond);

// The opaque copy of the whole play area onto the screen, once a frame.
void BM_BltFastPlayArea(benchmark::State& state) {
    int bits = int(state.range(0));
    auto back = KeyedSheet(612, 330, bits);
    auto screen = std::make_shared<Surface>(640, 480, bits);
    for (auto _ : state) {
        screen->BltFast(14, 75, back, Rect{0, 0, 612, 330}, DDBLTFAST_WAIT);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BltFastPlayArea)->Arg(8)->Arg(16)->Arg(32);

}  // namespace
