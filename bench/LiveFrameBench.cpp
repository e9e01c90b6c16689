// One frame's work (everything but the wait) through the program's own media port: the real
// display at 1024 x 768 x 32 on the dummy driver, the real sheets and level background, sound on
// with every queued request played through the rings. Tables full, both background layers on.
// BM_FrameWork_1024x768x32 measures the world's own work over bare surfaces; this one the whole
// stack a frame of the program goes through.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "FrameTables.h"
#include "data/TypeTemplates.h"
#include "frontend/LiveMedia.h"
#include "media/SoundSetup.h"
#include "platform/Display.h"
#include "world/World.h"

namespace gorb {
namespace {

void BM_LiveFrameWork_1024x768x32(benchmark::State& state) {
    UseHeadlessHost();
    KeepPresentPixels(false);
    MediaState media;
    JoystickSettings joySettings;
    int boxes = 0;
    media.Hooks.MessageBox = [&](const std::string&) { ++boxes; };
    media.Hooks.UnloadMainForm = [] { throw std::runtime_error("the frame failed"); };
    LiveMedia live(media, joySettings);

    auto g = std::make_unique<Game>();
    g->Media = &live;
    InitPlaneTypes(g->Types);
    InitBulletTypes(g->Types);
    InitEffectTypes(g->Types);
    live.LoadGameData(*g);
    live.SetupDirectX(*g, 32, 1024, 768);
    live.SetupDirectXObjects(*g);
    live.LoadLevelBackground(*g, "screen01");
    SetupDirectSound(media.Sound, media.Hooks, g->Random);
    media.Sound.DirectSound->PauseOutput(true);
    // The level-start plane: 197 x 194 with a propeller.
    bench::FillFrameTables(*g, [&](PlaneRecord& r) { r = g->Types.PlaneTypes[20]; });

    bench::TimeFrameWork(state, *g, [&] {
        // A handful of effects and a voice each frame, as a busy fight requests them.
        for (int n : {1, 7, 23, 33, 46, 49, 55, 84}) g->Sounds.Request(n);
    });
    state.counters["boxes"] = boxes;
    ReleaseDirectSound(media.Sound);
    ReleaseDirectDraw(media);
}
BENCHMARK(BM_LiveFrameWork_1024x768x32)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace
}  // namespace gorb
