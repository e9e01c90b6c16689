// Bullets and enemy fire: firing into slots, flight and removal, the flight rules, rain and
// spray, and the enemies' guns with their aim.
#include <set>

#include "WorldCombatSupport.h"

using namespace gorb;
using namespace gorb::test;

namespace {

class BulletTest : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        g.Player().X = 10;
        g.Player().Y = 250;
    }
};

TEST_F(BulletTest, FireBulletPlacesTheShotOnTheMuzzleAndKeepsZeroSpeeds) {
    // Type 14: 32 x 10, speed (-12, 0), sound 7.
    FireBullet(g, False, 14, 300, 100, 5.4, 20, 0, 0);
    const BulletType& b = g.Obj.Bullets[61];
    EXPECT_EQ(b.Active, True);
    EXPECT_EQ(b.X, 305);
    EXPECT_EQ(b.Y, 115);  // centred: 100 + 20 - 10 \ 2
    EXPECT_EQ(b.XSpeed, -12);
    EXPECT_EQ(b.YSpeed, 0);
    EXPECT_EQ(Requested(), (std::vector<int>{7}));

    FireBullet(g, False, 17, 300, 100, 0, 0, -3.5, 0);  // type 17 flies (-12, -12)
    EXPECT_EQ(g.Obj.Bullets[62].XSpeed, -4);             // CInt(-3.5): half to even
    EXPECT_EQ(g.Obj.Bullets[62].YSpeed, -12);

    ClearSounds();
    FireBullet(g, True, 5, 0, 0, 0, 0, 0, 0);  // type 5 is silent
    EXPECT_EQ(g.Obj.Bullets[1].Active, True);
    EXPECT_TRUE(Requested().empty());
}

TEST_F(BulletTest, FullRangesDropShotsSilentlyAndTheOtherRangeStillFires) {
    for (int k = 1; k <= 60; ++k) g.Obj.Bullets[k].Active = True;
    g.Obj.Bullets[62].Active = True;
    FireBullet(g, True, 1, 100, 100, 0, 0, 0, 0);
    EXPECT_TRUE(Requested().empty());
    FireBullet(g, -2, 14, 100, 100, 0, 0, 0, 0);  // anything but True is an enemy's shot
    EXPECT_EQ(g.Obj.Bullets[61].TypeId, 14);      // the lowest free slot
    FireBullet(g, False, 14, 100, 100, 0, 0, 0, 0);
    EXPECT_EQ(g.Obj.Bullets[63].TypeId, 14);

    // Rain and spray find no player slot either.
    g.Controls.RainTimer = 1;
    g.Controls.SprayTimer = 1;
    UpdateBullets(g);
    EXPECT_EQ(g.Controls.SprayTimer, 0);
    for (int k = 1; k <= 60; ++k) EXPECT_NE(g.Obj.Bullets[k].TypeId, 36);
}

TEST_F(BulletTest, BulletsMoveBeforeTheyAreDrawnAndCycleTheirFrames) {
    FireBullet(g, False, 14, 300, 100, 0, 0, 0, 0);  // 6 frames of 32 x 10 from (135, 0)
    g.Obj.Bullets[61].Frame = 5;
    for (int frame : {6, 1, 2}) {
        media.Calls.clear();
        UpdateBullets(g);
        const auto blits = media.Of("back", "Bullet GFX");
        ASSERT_EQ(blits.size(), 1u);
        const BulletType& b = g.Obj.Bullets[61];
        EXPECT_EQ(b.Frame, frame);
        EXPECT_EQ(blits[0].Src, (BlitRect{135, (frame - 1) * 10, 167, frame * 10}));
        EXPECT_EQ(blits[0].Dst, (BlitRect{b.X, b.Y, b.X + 32, b.Y + 10}));
    }
    EXPECT_EQ(g.Obj.Bullets[61].X, 300 - 3 * 12);
}

TEST_F(BulletTest, BulletsLeaveOnlyPastTheAreaEdges) {
    struct Case { int x, y; bool stays; } cases[] = {
        {617, 100, true}, {618, 100, false}, {300, 335, true}, {300, 336, false},
        {-16, 100, true}, {-17, 100, false}, {300, -16, true}, {300, -17, false}};
    for (auto c : cases) {
        BulletType& b = Bullet(61, 18, c.x, c.y);  // 11 x 11
        g.Player().Invulnerable = True;
        UpdateBullets(g);
        EXPECT_EQ(b.Active == True, c.stays) << c.x << "," << c.y;
    }
}

TEST_F(BulletTest, EnemyShotsFlyThroughAnInvulnerablePlayer) {
    g.Player().X = 300;
    g.Player().Y = 100;
    BulletType& b = Bullet(61, 14, 320, 120);
    g.Player().Invulnerable = True;
    UpdateBullets(g);
    EXPECT_EQ(b.Active, True);
    EXPECT_EQ(g.Player().HitPoints, 100);
    g.Player().Invulnerable = 0;
    UpdateBullets(g);
    EXPECT_EQ(b.Active, 0);
    EXPECT_EQ(g.Player().HitPoints, 58);
}

TEST_F(BulletTest, IceBombSlowsStopsAndFreezes) {
    BulletType& b = Bullet(1, 7, 100, 100);
    b.XSpeed = 2;
    UpdateBullets(g);  // speed 2 -> 1
    EXPECT_EQ(b.Active, True);
    EXPECT_EQ(b.Width, 44);
    EXPECT_EQ(b.SrcX, 91);
    EXPECT_EQ(g.Ice.FreezeTimer, 0);
    UpdateBullets(g);  // 1 -> 0
    UpdateBullets(g);  // 0 -> -1: it stops
    EXPECT_EQ(b.Active, 0);
    EXPECT_EQ(g.Ice.FreezeTimer, 10);
    EXPECT_EQ(g.Sounds[51], True);
    ASSERT_EQ(LiveEffects(6), 1);
    EXPECT_EQ(g.Obj.Effects[1].X, b.X - 40);
    EXPECT_EQ(g.Obj.Effects[1].Y, b.Y - 40);
}

TEST_F(BulletTest, IceBombLeavingTheAreaFreezesWithoutTheBurst) {
    Bullet(1, 7, 610, 100).XSpeed = 20;
    UpdateBullets(g);
    EXPECT_EQ(g.Obj.Bullets[1].Active, 0);
    EXPECT_EQ(g.Ice.FreezeTimer, 10);
    EXPECT_EQ(LiveEffects(), 0);
}

TEST_F(BulletTest, FallingBombChangesColumnWithHeightAndBeamGrows) {
    struct Case { int y; int srcX; } cases[] = {{0, 217}, {39, 217}, {79, 242}, {119, 267}, {300, 292}};
    for (auto c : cases) {
        BulletType& b = Bullet(61, 16, 300, c.y - 1);  // YSpeed 0 -> moves by 0, then +1
        b.YSpeed = 1;
        g.Player().Invulnerable = True;
        UpdateBullets(g);
        EXPECT_EQ(b.SrcX, c.srcX) << c.y;
        EXPECT_EQ(b.YSpeed, 2);
    }
    BulletType& beam = Bullet(62, 25, 300, 100);
    std::vector<int> widths;
    for (int f = 0; f < 6; ++f) {
        UpdateBullets(g);
        widths.push_back(beam.Width);
    }
    EXPECT_EQ(widths, (std::vector<int>{50, 70, 90, 110, 110, 110}));
}

TEST_F(BulletTest, RainFallsInRowsOfElevenEveryFourthFrame) {
    g.Controls.RainTimer = 17;
    std::vector<int> rowFrames;
    for (int f = 1; f <= 20; ++f) {
        for (int k = 1; k <= 100; ++k) g.Obj.Bullets[k].Active = 0;
        media.Calls.clear();
        UpdateBullets(g);
        const auto blits = media.Of("back", "Bullet GFX");
        if (blits.empty()) continue;
        rowFrames.push_back(f);
        ASSERT_EQ(blits.size(), 11u);
        for (size_t n = 0; n < 11; ++n) {
            const BulletType& b = g.Obj.Bullets[n + 1];
            EXPECT_TRUE(b.TypeId == 36 || b.TypeId == 37);
            // Fired at x = 60 (n + 1) and moved once before it was drawn.
            EXPECT_EQ(blits[n].Dst.Left, 60 * (static_cast<int>(n) + 1) + b.XSpeed);
        }
    }
    EXPECT_EQ(rowFrames, (std::vector<int>{1, 5, 9, 13, 17}));
    EXPECT_EQ(g.Controls.RainTimer, 0);
}

TEST_F(BulletTest, SprayFiresOneAxeAFrameFromTheNose) {
    g.Controls.SprayTimer = 25;
    std::set<int> startFrames;
    for (int f = 0; f < 25; ++f) {
        for (int k = 1; k <= 100; ++k) g.Obj.Bullets[k].Active = 0;
        UpdateBullets(g);
        const BulletType& b = g.Obj.Bullets[1];
        ASSERT_EQ(b.TypeId, 38);
        EXPECT_GE(b.XSpeed, 15);
        EXPECT_LE(b.XSpeed, 19);
        EXPECT_EQ(b.X, 10 + 80 - 15 + b.XSpeed);
        EXPECT_EQ(b.Y, 250 + 32 - 8 + b.YSpeed);
        EXPECT_GE(b.YSpeed, -2);
        EXPECT_LE(b.YSpeed, 2);
        startFrames.insert(g.Types.BulletTypes[38].Frame);
        EXPECT_EQ(LiveBullets(2, 100), 0);
    }
    EXPECT_EQ(g.Controls.SprayTimer, 0);
    for (int fr : startFrames) EXPECT_TRUE(fr >= 0 && fr <= 4);
    EXPECT_GT(startFrames.size(), 1u);
}

TEST_F(BulletTest, TrailPuffsFollowThePiercingShot) {
    Bullet(1, 5, 100, 100).XSpeed = 1;
    for (int f = 0; f < 40; ++f) UpdateBullets(g);
    EXPECT_GT(LiveEffects(2), 5);  // about one puff every other frame, as kind 4 (code 2)
    EXPECT_LT(LiveEffects(2), 35);

    // Each puff sits 20 pixels in from the shot's left edge, at a random height of it.
    for (int e = 1; e <= 60; ++e) g.Obj.Effects[e].Active = 0;
    Bullet(1, 5, 100, 100);  // standing still: 38 x 32
    const Integer half = ToInteger(g.Types.EffectTypes[4].Height / 2);
    for (int f = 0; f < 40; ++f) UpdateBullets(g);
    ASSERT_GT(LiveEffects(2), 5);
    for (int e = 1; e <= 60; ++e) {
        const EffectType& t = g.Obj.Effects[e];
        if (t.Active == 0) continue;
        EXPECT_EQ(t.X, 120);
        EXPECT_GE(t.Y + half, 100);
        EXPECT_LE(t.Y + half, 131);
    }
}

class EnemyFire : public BulletTest {
protected:
    PlaneRecord& Gun(int fireChance, int bullet, bool aimed, int x = 300, int y = 100) {
        PlaneRecord& r = Object(1, 3, x, y);
        r.GunCount = 1;
        r.FireChance[1] = ToInteger(fireChance);
        r.GunBullet[1] = ToInteger(bullet);
        r.GunX[1] = 0;
        r.GunY[1] = 10;
        r.GunAimed[1] = ToBoolean(aimed);
        return r;
    }
    int Shots(int frames) {
        int n = 0;
        for (int f = 0; f < frames; ++f) {
            ZorbelFire(g, 1);
            n += LiveBullets();
            for (int k = 1; k <= 100; ++k) g.Obj.Bullets[k].Active = 0;
        }
        return n;
    }
};

TEST_F(EnemyFire, FireChanceRollsAndTheRightEdge) {
    Gun(0, 12, false);
    EXPECT_EQ(Shots(200), 0);
    Gun(1, 12, false);
    EXPECT_EQ(Shots(200), 0);
    Gun(2, 12, false);
    const int half = Shots(1000);
    EXPECT_GT(half, 420);
    EXPECT_LT(half, 580);
    Gun(4, 12, false);  // only a roll of exactly 1 fires: one in four
    const int quarter = Shots(1000);
    EXPECT_GT(quarter, 190);
    EXPECT_LT(quarter, 310);
    Gun(2, 12, false, 600);
    EXPECT_EQ(Shots(200), 0);
    Gun(2, 12, false, 599);
    EXPECT_GT(Shots(200), 0);
}

TEST_F(EnemyFire, UnaimedShotKeepsItsSpeedAndFlashesOnlyWithEffects) {
    Gun(2, 17, false).GunX[1] = 15;  // the muzzle 15 in from the left edge
    g.Flags.EffectsOn = False;
    while (LiveBullets() == 0) ZorbelFire(g, 1);
    const BulletType& b = g.Obj.Bullets[61];
    EXPECT_EQ(b.XSpeed, -12);
    EXPECT_EQ(b.YSpeed, -12);
    EXPECT_EQ(b.X, 315);
    EXPECT_EQ(b.Y, 110 - 7);
    EXPECT_EQ(LiveEffects(), 0);
    g.Flags.EffectsOn = True;
    while (LiveBullets() == 1) ZorbelFire(g, 1);
    ASSERT_EQ(LiveEffects(1), 1);
    EXPECT_EQ(g.Obj.Effects[1].X, 315);
    EXPECT_EQ(g.Obj.Effects[1].Y, 110 - 5);
}

TEST_F(EnemyFire, AimedShotPointsAtThePlayer) {
    // Muzzle at (300, 110); aim point = player + (40, 30). Type 12 flies at -8.
    struct Case { int px, py; int sx, sy; } cases[] = {
        {160, 50, -8, -3},   // 100 left, 30 above: ratio 0.3, Int(-2.4) = -3
        {160, 110, -8, 3},   // 100 left, 30 below: the share turns downwards
        {360, 50, 8, -3},    // to the right: the full speed turns round
        {230, -20, -3, -8},  // 30 left, 100 above: y gets the full speed
        {160, -20, -8, -8},  // a straight diagonal: ddx = ddy, y takes the full speed
        {160, 80, -8, -1},   // level with the muzzle: ddy 0 counts as 1, Int(-0.08) = -1
        {260, -20, -1, -8},  // straight above: ddx 0 counts as 1
    };
    for (auto c : cases) {
        Gun(2, 12, true);
        g.Player().X = ToInteger(c.px);
        g.Player().Y = ToInteger(c.py);
        for (int k = 1; k <= 100; ++k) g.Obj.Bullets[k].Active = 0;
        while (LiveBullets() == 0) ZorbelFire(g, 1);
        const BulletType& b = g.Obj.Bullets[61];
        EXPECT_EQ(b.XSpeed, c.sx) << c.px << "," << c.py;
        EXPECT_EQ(b.YSpeed, c.sy) << c.px << "," << c.py;
    }
}

TEST_F(EnemyFire, NoShotDuringIceAndNoneFromAnEmptyGunButTheRollsAreTheSame) {
    // Reference: a good gun during the ice phase draws its roll and its gun, fires nothing.
    auto nextRnd = [&](int bullet, bool ice) {
        g.Random.RandomizeWith(77);
        Gun(2, bullet, true);
        g.Ice.FrozenTimer = ice ? 5 : 0;
        ClearSounds();
        for (int f = 0; f < 50; ++f) ZorbelFire(g, 1);
        return Rnd(g);
    };
    const double iced = nextRnd(12, true);
    EXPECT_EQ(LiveBullets(), 0);
    EXPECT_EQ(LiveEffects(), 0);
    const double empty = nextRnd(0, false);
    EXPECT_EQ(LiveBullets(), 0);
    EXPECT_EQ(LiveEffects(), 0);
    EXPECT_TRUE(Requested().empty());
    EXPECT_EQ(iced, empty);
}

TEST_F(EnemyFire, ACarrierTurnsAwayWithItsPartnerAfterEachShot) {
    PlaneRecord& r = Gun(2, 12, false);
    r.TypeId = 12;
    r.PathId = 5;
    r.PathStep = 9;
    r.Link = 2;
    PlaneRecord& partner = Object(2, 41, 320, 100);
    partner.PathId = 6;
    partner.PathStep = 4;
    while (LiveBullets() == 0) ZorbelFire(g, 1);
    EXPECT_EQ(r.PathId, 38);
    EXPECT_EQ(r.PathStep, 1);
    EXPECT_EQ(partner.PathId, 38);
    EXPECT_EQ(partner.PathStep, 1);
}

}  // namespace
