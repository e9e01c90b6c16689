#pragma once
// A headless game for the world tests: a fixed random seed, the recording media port (with its
// virtual clock and sound on), and small hand-made game data.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RecordingPort.h"
#include "world/World.h"

namespace gorb::test {

// Hand-made data: an enemy type 1 (60 x 30, sheet 1, propeller), the level-start object type
// 20 (holds on path 78), a boss type 5, pickups 52 and 60; path 1 flies left 7 a step, path 2
// has distinct steps and chains to path 3, path 78 stands still.
inline void FillSmallData(Game& g) {
    auto& t = g.Types.PlaneTypes;
    auto make = [&](int type, Long w, Long h, bool boss) {
        PlaneRecord& r = t[type];
        r = PlaneRecord{};
        r.TypeId = ToInteger(type);
        r.Width = w;
        r.Height = h;
        r.Sheet = 1;
        r.HitPoints = 10;
        r.IsBoss = ToBoolean(boss);
        for (int a = 0; a <= 35; ++a) {
            r.Anim[a][1] = 1;
            r.Anim[a][2] = 2;
            r.Anim[a][3] = 99;
        }
    };
    make(1, 60, 30, false);
    t[1].HasPropeller = True;
    t[1].PropX = 50;
    t[1].PropY = 4;
    make(5, 100, 80, true);
    make(19, 100, 80, true);
    make(20, 40, 40, false);
    make(24, 100, 80, true);
    make(52, 20, 20, false);
    make(59, 30, 20, false);
    make(60, 30, 20, false);
    auto& P = g.Data.PathTable;
    auto step = [&](int path, int s, int dx, int dy, int anim) {
        P[s][1][path] = ToInteger(dx);
        P[s][0][path] = ToInteger(dy);
        P[s][2][path] = ToInteger(anim);
    };
    step(1, 1, 7, 0, 1);
    step(1, 2, 7, 0, 1);
    step(1, 3, 99, 99, 1);
    step(2, 1, 1, 10, 1);
    step(2, 2, 2, 20, 1);
    step(2, 3, 99, 99, -3);
    step(3, 1, 5, 50, 3);
    step(3, 2, 6, 60, 3);
    step(3, 3, 99, 99, 3);
    step(78, 1, 0, 0, 1);
    step(78, 2, 99, 99, 1);
    for (int l = 1; l <= 13; ++l) g.Data.MissionTargets[l] = 1;
}

// Writes level L's script as rows (delay, type, path, y) from row 1; row 0 is the header.
struct Row { int Delay, Type, Path, Y; };
inline void WriteScript(Game& g, int level, const std::vector<Row>& rows) {
    auto& s = g.Data.LevelScript;
    s[0][level][0] = 10;
    int k = 1;
    for (const Row& r : rows) {
        s[0][level][k] = ToInteger(r.Delay);
        s[1][level][k] = ToInteger(r.Type);
        s[2][level][k] = ToInteger(r.Path);
        s[3][level][k] = ToInteger(r.Y);
        ++k;
    }
    s[0][level][k] = 99;
    s[1][level][k] = 99;
    s[2][level][k] = 99;
    s[3][level][k] = 99;
}

class WorldTest : public ::testing::Test {
protected:
    std::unique_ptr<Game> owned = std::make_unique<Game>();
    Game& g = *owned;
    RecordingPort media;

    void SetUp() override {
        g.Random.RandomizeWith(12345);
        g.Media = &media;
    }
    void OnPump(std::function<void()> f) { media.PumpHooks.push_back(std::move(f)); }

    // Enters level `level` as the first level of a run (no wipe).
    void EnterLevel(int level) {
        g.Run.Level = ToInteger(level - 1);
        g.Setup.StartLevel = ToInteger(level - 1);
        g.Run.FirstLevelOfRun = True;
        g.Player().Width = 80;
        g.Player().Height = 64;
        StartNextLevel(g);
        g.Run.FirstLevelOfRun = False;
    }
    // The sound numbers requested and not yet played, in order.
    std::vector<int> Requested() const {
        std::vector<int> out;
        for (int n = 1; n <= 96; ++n)
            if (g.Sounds[n] == True) out.push_back(n);
        return out;
    }
    void ClearSounds() {
        for (int n = 0; n <= 96; ++n) g.Sounds[n] = False;
    }
    int ActiveObjects() const {
        int n = 0;
        for (int i = 1; i <= 20; ++i) n += g.Obj.Planes[i].Active == True;
        return n;
    }
};

}  // namespace gorb::test
