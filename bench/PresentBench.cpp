// What showing the screen costs on the desktop the benchmark runs on. Under Xvfb (or any X
// server) that is SDL's x11 driver: the real window and framebuffer a player gets. Without a
// display SDL's dummy driver is used, which copies into memory and shows nothing; the label
// says which driver and window size a figure is for. The whole game on a real X server, with
// frame intervals taken from the presents themselves, is measured by bench/live/run.sh.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>

#include "BenchSurfaces.h"
#include "media/MediaFields.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/MessagePump.h"
#include "platform/Screen.h"

namespace gorb {
namespace {

// The video driver the program was started with, before any benchmark chose the dummy one.
const std::string g_startDriver = [] {
    const char* d = std::getenv("SDL_VIDEODRIVER");
    return d ? std::string(d) : std::string();
}();

// SDL's video on the driver the program was started with (x11 under Xvfb), or on the dummy
// driver when there is no display at all.
void UseStartVideo() {
    ShutdownDisplay();
    UseVirtualClock(false);
    if (!g_startDriver.empty()) setenv("SDL_VIDEODRIVER", g_startDriver.c_str(), 1);
    else if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) unsetenv("SDL_VIDEODRIVER");
    else setenv("SDL_VIDEODRIVER", "dummy", 1);
}

// A display mode with its primary surface and a play area to copy onto it each frame; width 0
// is the desktop's own mode.
struct Mode {
    std::shared_ptr<DirectDraw> dd;
    SurfaceRef primary, back;
    int32_t x = 0, y = 0;
    std::string label;
};

Mode OpenMode(int32_t w, int32_t h, int32_t bits) {
    UseStartVideo();
    KeepPresentPixels(false);
    Mode m;
    m.dd = DirectDrawCreate("");
    if (w == 0) {
        w = m.dd->ModeWidth();
        h = m.dd->ModeHeight();
    }
    m.dd->SetCooperativeLevel(0, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    m.dd->SetDisplayMode(w, h, bits);
    SurfaceDesc desc{DDSD_CAPS, DDSCAPS_PRIMARYSURFACE};
    m.primary = m.dd->CreateSurface(desc);
    m.back = bench::KeyedSheet(612, 330, bits);
    DisplayFields place;
    PlacePlayArea(place, w, h);
    m.x = place.PlayAreaX;
    m.y = place.PlayAreaY;
    PumpMessages();
    int32_t ww = 0, wh = 0;
    GetWindowSize(ww, wh);
    m.label = std::string(SDL_GetCurrentVideoDriver()) + " " + std::to_string(ww) + "x" + std::to_string(wh) +
              " mode " + std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(bits);
    return m;
}

void CloseMode(Mode& m) {
    m.primary.reset();
    m.dd.reset();
    ShutdownDisplay();
}

// The modes measured: the desktop's own (0 0), 1024 x 768 x 32 and 640 x 480 x 8.
void Modes(benchmark::internal::Benchmark* b) { b->Args({0, 0, 32})->Args({1024, 768, 32})->Args({640, 480, 8}); }

// One frame's present: the play area copied onto the screen and shown. Args: width, height,
// depth.
void BM_PresentPlayArea(benchmark::State& state) {
    Mode m = OpenMode(int32_t(state.range(0)), int32_t(state.range(1)), int32_t(state.range(2)));
    for (auto _ : state) {
        m.primary->BltFast(m.x, m.y, m.back, Rect{0, 0, 612, 330}, DDBLTFAST_WAIT);
        PresentScreen();
    }
    state.SetLabel(m.label);
    CloseMode(m);
}
BENCHMARK(BM_PresentPlayArea)
    ->Apply(Modes)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The frame loop's own cost in real time: each frame's deadline from its own start, the play
// area copied and presented before the wait, then the wait and one pump, as the game's loop
// does (the game's drawing itself is left out). Reports the share of a core and the intervals
// between presents.
void BM_FrameLoopCpuShare(benchmark::State& state) {
    Mode m = OpenMode(int32_t(state.range(0)), int32_t(state.range(1)), int32_t(state.range(2)));
    constexpr int kFrames = 57;  // about 2 s
    for (auto _ : state) {
        rusage r0{}, r1{};
        getrusage(RUSAGE_SELF, &r0);
        const auto t0 = std::chrono::steady_clock::now();
        std::vector<double> shownAt;
        for (int frame = 0; frame < kFrames; ++frame) {
            const uint32_t start = GetTickCount();
            const uint32_t deadline = TickPlus(start, 35);
            m.primary->BltFast(m.x, m.y, m.back, Rect{0, 0, 612, 330}, DDBLTFAST_WAIT);
            PresentScreen();
            shownAt.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
            WaitUntilPast(deadline);
            PumpMessages();
        }
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        getrusage(RUSAGE_SELF, &r1);
        auto secs = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        const double cpu = secs(r1.ru_utime) - secs(r0.ru_utime) + secs(r1.ru_stime) - secs(r0.ru_stime);
        std::vector<double> intervals;
        for (size_t i = 1; i < shownAt.size(); ++i) intervals.push_back(shownAt[i] - shownAt[i - 1]);
        std::sort(intervals.begin(), intervals.end());
        state.counters["cpu_pct_of_core"] = 100.0 * cpu / wall;
        state.counters["frame_ms_median"] = intervals[intervals.size() / 2];
        state.counters["frame_ms_p90"] = intervals[intervals.size() * 9 / 10];
    }
    state.SetLabel(m.label);
    CloseMode(m);
}
BENCHMARK(BM_FrameLoopCpuShare)
    ->Apply(Modes)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace gorb
