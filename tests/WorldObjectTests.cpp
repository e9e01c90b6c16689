// The object update: paths, animation, the ice phases, type rules and leaving the area.
#include <algorithm>
#include <set>
#include <tuple>

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
    // A template of another type number, shaped like the enemy type 1.
    void Make(int type) {
        g.Types.PlaneTypes[type] = g.Types.PlaneTypes[1];
        g.Types.PlaneTypes[type].TypeId = ToInteger(type);
    }
    int ActiveEffects() const {
        int n = 0;
        for (int e = 1; e <= 60; ++e) n += g.Obj.Effects[e].Active != 0;
        return n;
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

TEST_F(Objects, TypeRulesByAnimationAndByThePlayersPosition) {
    // Path 6 stands still in animation 25.
    auto& P = g.Data.PathTable;
    for (int st = 1; st <= 2; ++st) P[st][2][6] = 25;
    P[2][1][6] = 99;
    for (int t : {19, 22, 38, 49, 50, 51}) Make(t);
    g.Player().X = 100;
    g.Player().Y = 100;
    struct { int type, path; int y, x; int guns; Boolean propeller; int chance2; } cases[] = {
        {19, 78, 100, 300, 1, True, 0},  {19, 6, 100, 300, 0, True, 0},
        {22, 78, 100, 300, 0, True, 0},  {22, 6, 100, 300, 0, False, 0},
        {38, 78, 100, 300, 1, True, 0},  {38, 6, 100, 300, 0, True, 0},
        {49, 78, 100, 300, 3, True, 0},  {49, 6, 100, 300, 2, True, 0},
        {51, 78, 100, 300, 3, True, 0},  {51, 6, 100, 300, 2, True, 0},
        {50, 78, 169, 400, 2, True, 40}, {50, 78, 170, 401, 1, True, 10},
        {50, 78, 31, 400, 2, True, 40},  {50, 78, 30, 401, 1, True, 10}};
    for (const auto& c : cases) {
        PlaneRecord& r = Spawn(3, c.type, c.path, c.x, c.y);
        r.GunCount = 9;
        UpdateZorbels(g);
        SCOPED_TRACE(std::to_string(c.type) + " path " + std::to_string(c.path) + " y " + std::to_string(c.y));
        EXPECT_EQ(r.GunCount, c.type == 22 ? 9 : c.guns);
        EXPECT_EQ(r.HasPropeller, c.propeller);
        if (c.type == 50) { EXPECT_EQ(r.FireChance[2], c.chance2); }
    }
}

TEST_F(Objects, ShieldBossesHoldTheirHitPointsAndType46PullsEveryType47Down) {
    Make(43);
    Make(46);
    Make(47);
    PlaneRecord& shield = Spawn(3, 46, 78, 300, 40);
    PlaneRecord& part = Spawn(4, 47, 78, 300, 60);
    PlaneRecord& spare = g.Obj.Planes[9];  // a free slot that still holds a type-47 record
    spare = g.Types.PlaneTypes[47];
    spare.Y = 10;
    shield.HitPoints = 3;
    UpdateZorbels(g);
    EXPECT_EQ(shield.HitPoints, 4000);
    EXPECT_EQ(shield.Y, 48);
    EXPECT_EQ(part.Y, 68);
    EXPECT_EQ(spare.Y, 18);
    UpdateZorbels(g);
    EXPECT_EQ(shield.Y, 56);
    UpdateZorbels(g);  // at 50 or below it stops
    EXPECT_EQ(shield.Y, 56);
    EXPECT_EQ(part.Y, 76);

    // Type 43 releases type-44 jumpers over its own width, and only once its shield is down
    // also puffs and type-41 jumpers; during the ice effect no type-44 jumper comes.
    ClearObjectTables(g);
    PlaneRecord& boss = Spawn(20, 43, 78, 200, 100);
    boss.Width = 300;
    auto run = [&](int frames) {
        std::set<int> types;
        int lo = 1000, hi = -1000;
        for (int f = 0; f < frames; ++f) {
            boss.HitPoints = 7;
            UpdateZorbels(g);
            for (int i = 1; i <= 19; ++i) {
                PlaneRecord& j = g.Obj.Planes[i];
                if (j.Active != True) continue;
                EXPECT_LE(i, 17);
                types.insert(j.TypeId);
                lo = std::min<int>(lo, j.X);
                hi = std::max<int>(hi, j.X);
                j.Active = 0;
            }
        }
        return std::make_tuple(types, lo, hi);
    };
    Make(41);
    Make(44);
    auto [upTypes, lo, hi] = run(600);
    EXPECT_EQ(upTypes, (std::set<int>{44}));
    EXPECT_EQ(boss.HitPoints, 4000);
    EXPECT_GE(lo, 200);
    EXPECT_LE(hi, 531);
    EXPECT_EQ(ActiveEffects(), 0);
    g.Voice.BossShieldDown = True;
    auto [downTypes, lo2, hi2] = run(600);
    EXPECT_EQ(downTypes, (std::set<int>{41, 44}));
    EXPECT_EQ(boss.HitPoints, 7);
    EXPECT_GT(ActiveEffects(), 0);
    g.Ice.FrozenTimer = 20000;
    auto [iceTypes, lo3, hi3] = run(300);
    EXPECT_EQ(iceTypes.count(44), 0u);
}

TEST_F(Objects, MissedPickupVoiceCuesByTypeAndState) {
    struct { int type, cooldown, maxSpeed, weapon, hp, sound, cooldownAfter; } cases[] = {
        {52, 15, 10, 1, 100, 79, 15}, {53, 0, 10, 1, 100, 79, 20}, {55, 0, 10, 1, 100, 79, 20},
        {61, 3, 10, 1, 100, 79, 3},
        {56, 5, 8, 1, 100, 79, 20},   {56, 0, 10, 1, 100, 0, 0},
        {57, 0, 10, 4, 100, 79, 20},  {57, 0, 10, 2, 100, 0, 0},   {57, 3, 10, 1, 100, 0, 3},
        {58, 0, 10, 1, 40, 79, 20},   {58, 0, 10, 1, 60, 0, 0},    {58, 5, 10, 1, 40, 0, 5},
        {59, 0, 10, 9, 100, 79, 20},  {59, 0, 10, 4, 100, 0, 0},
        {60, 0, 10, 2, 100, 79, 20},  {60, 0, 10, 9, 100, 0, 0},
        {62, 0, 10, 1, 100, 82, 20},  {62, 4, 10, 1, 100, 0, 4},   {63, 0, 10, 1, 10, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        g.Sounds = SoundRequests{};
        g.Voice.VoiceCooldown = ToInteger(c.cooldown);
        g.Player().MaxSpeed = ToInteger(c.maxSpeed);
        g.Player().GunBullet[1] = ToInteger(c.weapon);
        g.Player().HitPoints = ToInteger(c.hp);
        g.Types.PlaneTypes[c.type] = g.Types.PlaneTypes[52];
        g.Types.PlaneTypes[c.type].TypeId = ToInteger(c.type);
        Spawn(6, c.type, 78, 300, 431);
        UpdateZorbels(g);
        EXPECT_EQ(g.Sounds[79] == True, c.sound == 79);
        EXPECT_EQ(g.Sounds[82] == True, c.sound == 82);
        EXPECT_EQ(g.Voice.VoiceCooldown, c.cooldownAfter);
    }
    // A pickup that leaves at the left edge is not missed.
    g.Sounds = SoundRequests{};
    g.Voice.VoiceCooldown = 0;
    Spawn(6, 52, 78, -31, 100);
    UpdateZorbels(g);
    EXPECT_EQ(g.Obj.Planes[6].Active, 0);
    EXPECT_EQ(g.Sounds[79], False);
    // Nor is one that drops out during the game-over countdown.
    g.Run.GameOverCountdown = 50;
    Spawn(6, 52, 78, 300, 431);
    UpdateZorbels(g);
    EXPECT_EQ(g.Obj.Planes[6].Active, 0);
    EXPECT_EQ(g.Sounds[79], False);
}

TEST_F(Objects, TheLastTargetStopsTheLoopDiveAndLaterTargetsEndNothingMore) {
    g.Controls.ManoeuvreCounter = 12;
    PlaneRecord& p = g.Player();
    p.Invulnerable = True;
    p.Y = -70;
    p.X = 200;
    p.MaxSpeed = 6;
    Spawn(5, 5, 78, -111, 100);  // leaves at the left edge
    UpdateZorbels(g);
    EXPECT_EQ(g.Run.LevelComplete, True);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 0);
    EXPECT_EQ(p.Invulnerable, False);
    EXPECT_EQ(p.Y, 150);
    EXPECT_EQ(p.X, -80);
    EXPECT_EQ(p.MaxSpeed, 10);

    g.Sounds = SoundRequests{};
    g.Run.LevelComplete = False;
    Spawn(5, 5, 78, 300, 431);
    UpdateZorbels(g);
    EXPECT_EQ(g.Data.MissionTargets[1], -1);
    EXPECT_EQ(g.Run.LevelComplete, False);
    EXPECT_EQ(g.Sounds[50], True);
    EXPECT_EQ(g.Sounds[63], False);

    // A plane inside the area is left where it is.
    g.Data.MissionTargets[1] = 1;
    g.Controls.ManoeuvreCounter = 3;
    p.Y = 300;
    p.X = 20;
    Spawn(5, 5, 78, 300, 431);
    UpdateZorbels(g);
    EXPECT_EQ(p.Y, 300);
    EXPECT_EQ(p.X, 20);
}

TEST_F(Objects, OnLevel6TheLastTargetIsSilentAndTakesTheHullPartsEvenFromFreeSlots) {
    g.Run.Level = 6;
    g.Data.MissionTargets[6] = 1;
    Spawn(5, 5, 78, 300, 431);
    PlaneRecord& hull = Spawn(8, 24, 78, 300, 100);
    PlaneRecord& parked = g.Obj.Planes[9];
    parked = g.Types.PlaneTypes[24];
    parked.TypeId = 27;  // a part that left earlier: its slot is free
    PlaneRecord& falling = Spawn(10, 24, 78, 300, 100);
    falling.Dying = True;
    falling.HitPoints = 55;
    PlaneRecord& plane = Spawn(11, 1, 78, 300, 100);
    UpdateZorbels(g);
    EXPECT_EQ(g.Sounds[50], False);
    EXPECT_EQ(g.Sounds[63], True);
    EXPECT_EQ(hull.Dying, True);
    EXPECT_EQ(parked.Dying, True);
    EXPECT_EQ(falling.HitPoints, 55);  // already falling: not killed again
    EXPECT_EQ(plane.Dying, False);

    // Elsewhere a removed boss requests sound 50 and the parts stay.
    ClearObjectTables(g);
    g.Sounds = SoundRequests{};
    g.Run.Level = 7;
    g.Data.MissionTargets[7] = 1;
    Spawn(5, 5, 78, 300, 431);
    PlaneRecord& hull7 = Spawn(8, 24, 78, 300, 100);
    UpdateZorbels(g);
    EXPECT_EQ(g.Sounds[50], True);
    EXPECT_EQ(hull7.Dying, False);
}

TEST_F(Objects, Type51BurnsDownSlowlyOnlyWithEffectsAndType44NeverSmokes) {
    Make(51);
    Make(44);
    for (Boolean effects : {True, False}) {
        g.Flags.EffectsOn = effects;
        PlaneRecord& r = Spawn(3, 51, 78, 300, 100);
        r.Dying = True;
        std::vector<int> ys;
        for (int f = 0; f < 6; ++f) {
            UpdateZorbels(g);
            ys.push_back(r.Y);
        }
        if (effects == True) EXPECT_EQ(ys, (std::vector<int>{100, 100, 100, 100, 100, 101}));
        else EXPECT_EQ(ys, (std::vector<int>{101, 103, 106, 110, 115, 121}));
    }
    g.Flags.EffectsOn = True;
    ClearObjectTables(g);
    PlaneRecord& j = Spawn(3, 44, 78, 300, 0);
    j.Dying = True;
    for (int f = 0; f < 10; ++f) UpdateZorbels(g);
    EXPECT_EQ(ActiveEffects(), 0);
    PlaneRecord& o = Spawn(4, 1, 78, 300, 0);
    o.Dying = True;
    for (int f = 0; f < 10; ++f) UpdateZorbels(g);
    EXPECT_GT(ActiveEffects(), 0);
}

}  // namespace
