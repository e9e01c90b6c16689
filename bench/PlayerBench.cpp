// The player's share of a frame: one plane update with the spread weapon firing, and the
// heaviest single action, the fireball column, into a player bullet table that is nearly full.
#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/RecordingPort.h"
#include "data/TypeTemplates.h"
#include "world/PlayerInput.h"
#include "world/World.h"

namespace gorb {
namespace {

// A port that records nothing; with fire and right held when asked.
test::RecordingPort Quiet(bool fireHeld) {
    test::RecordingPort media;
    media.Record = false;
    if (fireHeld) {
        media.Keys[key::Fire] = 0x80;
        media.Keys[key::Right] = 0x80;
    }
    return media;
}

std::unique_ptr<Game> ArmedGame(MediaPort& media) {
    auto g = std::make_unique<Game>();
    g->Media = &media;
    InitPlaneTypes(g->Types);
    InitBulletTypes(g->Types);
    InitEffectTypes(g->Types);
    PlaneRecord& p = g->Player();
    p.Width = 80;
    p.Height = 64;
    for (int i = 1; i <= 16; ++i) {
        p.PlayerGunY1[i] = 20;
        p.PlayerGunY2[i] = 40;
    }
    p.Lives = 3;
    LoseLife(*g);
    p.Active = True;
    p.X = 200;
    ApplyPickup(*g, 57);  // weapon 4: four bullets a shot
    return g;
}

void BM_PlayerUpdateFiringSpread(benchmark::State& state) {
    test::RecordingPort media = Quiet(true);
    auto g = ArmedGame(media);
    int frame = 0;
    for (auto _ : state) {
        UpdatePlayer(*g);
        if (++frame % 60 == 0) {
            for (int b = 1; b <= 60; ++b) g->Obj.Bullets[b].Active = False;
            g->Player().X = 200;
        }
    }
}
BENCHMARK(BM_PlayerUpdateFiringSpread);

void BM_FireballColumnIntoNearlyFullTable(benchmark::State& state) {
    test::RecordingPort media = Quiet(false);
    auto g = ArmedGame(media);
    for (auto _ : state) {
        for (int b = 1; b <= 60; ++b) g->Obj.Bullets[b].Active = b <= 49;
        g->Controls.ItemCount = 1;
        g->Controls.Items[1] = 1;
        UsePlayerItem(*g);
        benchmark::DoNotOptimize(g->Obj.Bullets[60].Active);
    }
}
BENCHMARK(BM_FireballColumnIntoNearlyFullTable);

}  // namespace
}  // namespace gorb
