// One frame's work (everything but the wait) through the program's own media port: the real
// display at 1024 x 768 x 32 on the dummy driver, the real sheets and level background, sound on
// with every queued request played through the rings. Tables full, both background layers on.
// BM_FrameWork_1024x768x32 measures the world's own work over bare surfaces; this one the whole
// stack a frame of the program goes through.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/TypeTemplates.h"
#include "media/SoundSetup.h"
#include "platform/Display.h"
#include "world/LiveMedia.h"
#include "world/World.h"

namespace gorb {
namespace {

void FillTables(Game& g) {
    g.Run.Level = 1;
    g.Run.ScriptHold = True;
    g.Data.LevelScript[0][1][0] = 30;
    PlaneRecord& p = g.Player();
    p.Active = True;
    p.Width = 80;
    p.Height = 64;
    p.X = 100;
    p.Y = 100;
    p.Frame = 3;
    p.HitPoints = 100;
    for (int i = 1; i <= 20; ++i) {
        PlaneRecord& r = g.Obj.Planes[i];
        r = g.Types.PlaneTypes[20];  // the level-start plane: 197 x 194 with a propeller
        r.Active = True;
        r.X = ToInteger(25 * i);
        r.Y = ToInteger(10 * i);
        r.PathId = 78;
        r.PathStep = 1;
    }
    for (int b = 1; b <= 100; ++b) {
        BulletType& t = g.Obj.Bullets[b];
        t.Active = True;
        t.Width = 26;
        t.Height = 8;
        t.X = ToInteger(5 * b);
        t.Y = ToInteger(3 * b);
    }
    for (int e = 1; e <= 60; ++e) {
        EffectType& t = g.Obj.Effects[e];
        t.Active = True;
        t.KindCode = e % 8 + 1;
        t.Width = 40;
        t.Height = 40;
        t.X = ToInteger(9 * e);
        t.Y = ToInteger(5 * e);
    }
}

void BM_LiveFrameWork_1024x768x32(benchmark::State& state) {
    UseHeadlessHost();
    KeepPresentPixels(false);
    MediaState media;
    DisplayFields displayF;
    SoundFields soundF;
    JoystickFields joyF;
    JoystickSettings joySettings;
    int boxes = 0;
    media.Hooks.MessageBox = [&](const std::string&) { ++boxes; };
    media.Hooks.UnloadMainForm = [] { throw std::runtime_error("the frame failed"); };
    LiveMedia live(media, displayF, soundF, joyF, joySettings);

    auto g = std::make_unique<Game>();
    g->Media = &live;
    InitPlaneTypes(g->Types);
    InitBulletTypes(g->Types);
    InitEffectTypes(g->Types);
    live.LoadGameData(*g);
    live.SetupDirectX(*g, 32, 1024, 768);
    live.SetupDirectXObjects(*g);
    live.LoadLevelBackground(*g, "screen01");
    SetupDirectSound(media.Sound, soundF, media.Hooks);
    media.Sound.DirectSound->PauseOutput(true);
    g->Setup.SoundOn = soundF.SoundOn;
    FillTables(*g);

    std::vector<double> us;
    for (auto _ : state) {
        // A handful of effects and a voice each frame, as a busy fight requests them.
        for (int n : {1, 7, 23, 33, 46, 49, 55, 84}) g->Sounds.Request(n);
        auto t0 = std::chrono::steady_clock::now();
        RunFrameWork(*g);
        auto t1 = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[std::min(us.size() - 1, us.size() * 99 / 100)];
    state.counters["boxes"] = boxes;
    ReleaseDirectSound(media.Sound);
    ReleaseDirectDraw(media);
}
BENCHMARK(BM_LiveFrameWork_1024x768x32)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace
}  // namespace gorb
