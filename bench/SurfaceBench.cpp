#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <vector>

#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/GamePalette.h"
#include "platform/Screen.h"
#include "platform/Surface.h"

using namespace gorb;

namespace {

// A sheet with about half of its pixels key-coloured, in stripes like sprite outlines.
SurfaceRef KeyedSheet(int w, int h, int bits) {
    auto s = std::make_shared<Surface>(w, h, bits);
    uint32_t key = MapColor(bits, kKeyColor.r, kKeyColor.g, kKeyColor.b);
    uint32_t ink = MapColor(bits, 200, 120, 40);
    SDL_Surface* sdl = s->Sdl();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t v = ((x / 3 + y / 5) % 2) ? key : ink;
            uint8_t* p = static_cast<uint8_t*>(sdl->pixels) + y * sdl->pitch + x * (bits / 8);
            if (bits == 8) *p = uint8_t(v);
            else if (bits == 16) *reinterpret_cast<uint16_t*>(p) = uint16_t(v);
            else *reinterpret_cast<uint32_t*>(p) = v;
        }
    s->SetColorKey(DDCKEY_SRCBLT, ColorKey{int32_t(key), int32_t(key)});
    return s;
}

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

// Showing a changed 1024 x 768 primary: conversion to the window's format, scaling, present.
void BM_Present(benchmark::State& state) {
    int bits = int(state.range(0));
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_setenv("SDL_RENDER_DRIVER", "software", 0);
    KeepPresentPixels(false);
    auto dd = DirectDrawCreate("");
    dd->SetCooperativeLevel(0, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    dd->SetDisplayMode(1024, 768, bits);
    SurfaceDesc desc{DDSD_CAPS, DDSCAPS_PRIMARYSURFACE};
    auto primary = dd->CreateSurface(desc);
    primary->BltFast(0, 0, KeyedSheet(1024, 768, bits), Rect{0, 0, 1024, 768}, DDBLTFAST_WAIT);
    for (auto _ : state) {
        MarkScreenChanged();
        PresentIfChanged();
    }
    state.counters["presents"] = double(LastPresent().Count);
}
BENCHMARK(BM_Present)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

// CPU share of one core used by a 35 ms frame loop that only waits, in real time.
void BM_WaitingFrameLoopCpuShare(benchmark::State& state) {
    UseVirtualClock(false);
    for (auto _ : state) {
        rusage r0{}, r1{};
        getrusage(RUSAGE_SELF, &r0);
        auto t0 = std::chrono::steady_clock::now();
        uint32_t next = GetTickCount();
        for (int frame = 0; frame < 57; ++frame) {  // about 2 s
            next = TickPlus(next, 35);
            WaitUntilPast(next);
        }
        auto wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        getrusage(RUSAGE_SELF, &r1);
        auto secs = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        double cpu = secs(r1.ru_utime) - secs(r0.ru_utime) + secs(r1.ru_stime) - secs(r0.ru_stime);
        state.counters["cpu_pct_of_core"] = 100.0 * cpu / wall;
        state.counters["ms_per_frame"] = 1000.0 * wall / 57;
    }
}
BENCHMARK(BM_WaitingFrameLoopCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
