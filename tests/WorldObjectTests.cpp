// The object update: paths, animation, the ice phases, type rules and leaving the area.
#include "WorldTestSupport.h"

using namespace gorb;
using namespace gorb::test;

namespace {

class Objects : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        FillSmallData(g);
        EnterLevel(1);
        ClearObjectTables(g);
    }
    PlaneRecord& Spawn(int slot, int type, int path, int x, int y) {
        PlaneRecord& r = g.Obj.Planes[slot];
        r = g.Types.PlaneTypes[type];
        r.Active = True;
        r.X = ToInteger(x);
        r.Y = ToInteger(y);
        r.PathId = ToInteger(path);
        r.PathStep = 1;
        r.AnimStep = 1;
        r.AnimId = g.Data.PathTable[1][2][path];
        r.Frame = r.Anim[r.AnimId][1];
        return r;
    }
};

TEST_F(Objects, FirstMoveIsStep2AndAPathEndChainsInTheSameFrame) {
    PlaneRecord& r = Spawn(3, 1, 2, 300, 100);
    UpdateZorbels(g);
    EXPECT_EQ(r.X, 298);  // step 2: dx 2, dy 20
    EXPECT_EQ(r.Y, 120);
    UpdateZorbels(g);     // step 3 is the end (99, 99, -3): step 1 of path 3
    EXPECT_EQ(r.PathId, 3);
    EXPECT_EQ(r.PathStep, 1);
    EXPECT_EQ(r.X, 293);
    EXPECT_EQ(r.Y, 170);
    EXPECT_EQ(r.AnimId, 3);
    UpdateZorbels(g);
    UpdateZorbels(g);     // path 3 ends with a non-negative value: restarts itself
    EXPECT_EQ(r.PathId, 3);
    EXPECT_EQ(r.PathStep, 1);
}

TEST_F(Objects, DrawsWithItsPropellerButNotWhileFalling) {
    PlaneRecord& r = Spawn(3, 1, 1, 300, 100);
    media.Calls.clear();
    UpdateZorbels(g);
    ASSERT_EQ(media.Calls.size(), 2u);
    EXPECT_EQ(media.Calls[0].Label, "Vorpex GFX");
    EXPECT_EQ(media.Calls[0].Dst, (BlitRect{293, 100, 353, 130}));
    EXPECT_EQ(media.Calls[1].Label, "Propeller");
    EXPECT_EQ(media.Calls[1].Src, (BlitRect{202, 0, 204, 22}));  // phase 1
    EXPECT_EQ(media.Calls[1].Dst, (BlitRect{343, 104, 345, 126}));
    r.Dying = True;
    media.Calls.clear();
    UpdateZorbels(g);
    EXPECT_EQ(media.Count("back", "Propeller"), 0);
}

TEST_F(Objects, IcePhasesSlowStopAndReleaseTheWorld) {
    PlaneRecord& r = Spawn(3, 1, 1, 400, 100);  // 7 pixels a step
    PlaneRecord& boss = Spawn(4, 5, 78, 200, 100);
    StartSlowdown(g);
    EXPECT_EQ(g.Sounds[51], True);
    // Freezing: steps cut to halves, thirds, quarters (the path itself advances only when the
    // timer is 9, 7 or 4); the tenth frame starts the frozen phase.
    std::vector<int> xs;
    for (int f = 0; f < 10; ++f) {
        UpdateZorbels(g);
        xs.push_back(r.X);
    }
    EXPECT_EQ(xs, (std::vector<int>{397, 394, 392, 390, 388, 387, 386, 385, 384, 384}));
    EXPECT_EQ(g.Ice.FreezeTimer, 0);
    EXPECT_EQ(g.Ice.FrozenTimer, 300);
    EXPECT_EQ(g.Ice.FrozenCount, 2);
    EXPECT_EQ(r.HitPoints, 5);
    EXPECT_EQ(boss.HitPoints, 10);  // bosses keep theirs
    // Frozen: nothing moves, the propeller stands; the loop and the update each count down.
    const Integer phase = g.Ice.PropellerPhase;
    for (int f = 0; f < 150; ++f) RunFrameWork(g);
    EXPECT_EQ(r.X, 383);  // the last of the 150 frames already thaws: a quarter step
    EXPECT_EQ(g.Ice.PropellerPhase, phase);
    EXPECT_EQ(g.Ice.FrozenTimer, 0);
    EXPECT_EQ(g.Ice.ThawTimer, 10);
    // Thawing: steps cut to a quarter, a third and a half; then the normal pace.
    for (int f = 0; f < 10; ++f) UpdateZorbels(g);
    EXPECT_EQ(g.Ice.ThawTimer, 0);
    const Integer x = r.X;
    UpdateZorbels(g);
    EXPECT_EQ(r.X, x - 7);
}

TEST_F(Objects, ShotDownObjectsStillFallWhileFrozen) {
    PlaneRecord& r = Spawn(3, 1, 1, 300, 100);
    r.Dying = True;
    r.FallDrift = 2;
    g.Ice.FrozenTimer = 100;
    UpdateZorbels(g);
    EXPECT_EQ(r.Y, 101);
    EXPECT_EQ(r.X, 298);
}

TEST_F(Objects, LeavingTheAreaUnlinksAndCountsMissionTargets) {
    PlaneRecord& carrier = Spawn(3, 1, 1, -69, 100);
    PlaneRecord& pickup = Spawn(4, 52, 78, 300, 100);
    carrier.Link = 4;
    pickup.Link = 3;
    UpdateZorbels(g);
    EXPECT_EQ(carrier.Active, 0);
    EXPECT_EQ(pickup.Link, 0);

    PlaneRecord& boss = Spawn(5, 5, 78, 300, 431);
    UpdateZorbels(g);
    EXPECT_EQ(boss.Active, 0);
    EXPECT_EQ(g.Data.MissionTargets[1], 0);
    EXPECT_EQ(g.Run.LevelComplete, True);
    EXPECT_EQ(g.Sounds[50], True);
    EXPECT_EQ(g.Sounds[63], True);
}

TEST_F(Objects, StagesOfFinalAdvanceInPlace) {
    g.Run.Level = 11;
    g.Run.LevelProgress = 7;
    g.Run.ScriptEnded = True;
    g.Player().MaxSpeed = 4;
    Spawn(5, 5, 78, 300, 431);
    UpdateZorbels(g);
    EXPECT_EQ(g.Run.Level, 12);
    EXPECT_EQ(g.Run.LevelProgress, 0);
    EXPECT_EQ(g.Run.ScriptEnded, 0);
    EXPECT_EQ(g.Run.LevelComplete, False);
    EXPECT_EQ(g.Player().MaxSpeed, 10);
}

TEST_F(Objects, MissedPickupVoiceCues) {
    struct { int type; int cooldown; int hp; bool want; } cases[] = {
        {52, 15, 100, true}, {58, 0, 40, true}, {58, 0, 60, false}, {58, 5, 40, false},
        {63, 0, 10, false}};
    for (auto c : cases) {
        g.Sounds[79] = False;
        g.Voice.VoiceCooldown = ToInteger(c.cooldown);
        g.Player().HitPoints = ToInteger(c.hp);
        g.Types.PlaneTypes[c.type] = g.Types.PlaneTypes[52];
        g.Types.PlaneTypes[c.type].TypeId = ToInteger(c.type);
        Spawn(6, c.type, 78, 300, 431);
        UpdateZorbels(g);
        EXPECT_EQ(g.Sounds[79] == True, c.want) << c.type << " " << c.cooldown << " " << c.hp;
    }
    g.Run.GameOverCountdown = 50;
    g.Sounds[79] = False;
    Spawn(6, 52, 78, 300, 431);
    UpdateZorbels(g);
    EXPECT_EQ(g.Sounds[79], False);
}

TEST_F(Objects, TypeRules) {
    g.Types.PlaneTypes[47] = g.Types.PlaneTypes[1];
    g.Types.PlaneTypes[47].TypeId = 47;
    PlaneRecord& part = Spawn(3, 47, 78, 740, 100);
    UpdateZorbels(g);
    EXPECT_EQ(part.X, 731);
    EXPECT_EQ(part.Active, True);

    g.Types.PlaneTypes[10] = g.Types.PlaneTypes[1];
    g.Types.PlaneTypes[10].TypeId = 10;
    g.Player().Y = 100;
    PlaneRecord& ten = Spawn(4, 10, 78, 300, 150);
    UpdateZorbels(g);
    EXPECT_EQ(ten.GunCount, 2);
    ten.Y = 170;
    UpdateZorbels(g);
    EXPECT_EQ(ten.GunCount, 1);
}

}  // namespace
