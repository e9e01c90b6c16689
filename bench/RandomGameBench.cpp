// The random spawner's share of a frame: one call per frame, most of them only counting, with
// every spawn of a long level (type, path and pickup draws, formations) in the mix.
#include <benchmark/benchmark.h>

#include <memory>

#include "../tests/RecordingPort.h"
#include "world/World.h"

namespace gorb {
namespace {

void SetUpLevel(Game& g) {
    for (int t : {1, 7, 12, 21, 41, 56, 58, 62}) {
        PlaneRecord& r = g.Types.PlaneTypes[t];
        r.TypeId = static_cast<Integer>(t);
        r.Width = 50;
        r.Height = t == 7 ? 55 : 30;
    }
    const int types[] = {1, 1, 7, 21, 41, 12};
    for (int k = 0; k < 6; ++k) g.Data.LevelTypePool[1][k + 1] = static_cast<Integer>(types[k]);
    g.Data.LevelTypePoolCount[1] = 6;
    for (int t : {1, 7, 12, 21, 41}) {
        g.Data.TypePathPool[t][1] = 1;
        g.Data.TypePathPool[t][2] = 2;
        g.Data.TypePathPoolCount[t] = 2;
    }
    const int pickups[] = {56, 58, 58, 62};
    for (int k = 0; k < 4; ++k) g.Data.LevelPickupPool[1][k + 1] = static_cast<Integer>(pickups[k]);
    g.Data.LevelPickupPoolCount[1] = 4;
    g.Run.Level = 1;
    g.Run.RandomGameActive = True;
    g.Run.RandomSpawnQuota = 30000;
}

void BM_StepRandomScript(benchmark::State& state) {
    test::RecordingPort media;
    media.Record = false;
    auto g = std::make_unique<Game>();
    g->Media = &media;
    SetUpLevel(*g);
    g->Random.RandomizeWith(7);
    for (auto _ : state) {
        if (g->Run.RandomGameActive != True) {
            g->Run.RandomGameActive = True;
            g->Run.RandomSpawnCount = 0;
        }
        StepRandomScript(*g);
        // Objects leave as fast as they come, so the table never fills.
        for (int i = 1; i <= 20; ++i) g->Obj.Planes[i].Active = 0;
        benchmark::DoNotOptimize(g->Run.ScriptTick);
    }
    state.counters["spawns"] = g->Run.RandomSpawnCount;
}
BENCHMARK(BM_StepRandomScript)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace gorb
