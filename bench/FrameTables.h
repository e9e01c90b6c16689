#pragma once
// What the frame benchmarks share: the tables of a busy fight and the timing of one frame's work.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "world/World.h"

namespace gorb::bench {

// Level 1 held at its start, the player at (100, 100), 20 planes along a diagonal standing on
// path 78, and every bullet and effect slot live. Each plane is made by `plane` first; the
// slot's place and path are set after it.
template <typename MakePlane>
void FillFrameTables(Game& g, MakePlane plane) {
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
        plane(r);
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
        t.KindCode = ToInteger(e % 8 + 1);
        t.Width = 40;
        t.Height = 40;
        t.X = ToInteger(9 * e);
        t.Y = ToInteger(5 * e);
    }
}

// Times RunFrameWork alone, each iteration after `before` (not timed), and reports the median
// and the 99th percentile in microseconds.
template <typename Before>
void TimeFrameWork(benchmark::State& state, Game& g, Before before) {
    std::vector<double> us;
    for (auto _ : state) {
        before();
        auto t0 = std::chrono::steady_clock::now();
        RunFrameWork(g);
        auto t1 = std::chrono::steady_clock::now();
        us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[std::min(us.size() - 1, us.size() * 99 / 100)];
}

}  // namespace gorb::bench
