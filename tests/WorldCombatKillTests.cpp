// Kills by type, the shatter during a freeze, the player shot down, and the hurt voices.
#include "WorldCombatSupport.h"

using namespace gorb;
using namespace gorb::test;

namespace {

class KillTest : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        // Path 4: dx 6 on step 3, whose animation number is 12 (a special animation).
        Step(4, 3, 6, 0, 12);
        // Death paths: step 7 (= 12 - 5) of path 2 flies animation 2, of path 55 animation 3.
        Step(2, 7, 1, 5, 2);
        Step(55, 7, 1, 5, 3);
        Step(1, 1, 7, 0, 4);  // P(1, 2, 1), read by the takeover
    }
    void Step(int path, int s, int dx, int dy, int anim) {
        auto& P = g.Data.PathTable;
        P[s][0][path] = ToInteger(dy);
        P[s][1][path] = ToInteger(dx);
        P[s][2][path] = ToInteger(anim);
    }
    PlaneRecord& Victim(int i, int type, int x = 200, int y = 100) {
        PlaneRecord& r = Object(i, type, x, y, 60, 30, 50);
        r.PathId = 4;
        r.PathStep = 3;
        r.DeathSound = 29;
        r.Anim[2][1] = 5;
        r.Anim[2][2] = 6;
        r.Anim[3][2] = 9;
        r.AnimStep = 2;
        return r;
    }
    void Freeze() {
        g.Ice.FrozenTimer = 200;
        g.Ice.FrozenCount = 3;
    }
};

TEST_F(KillTest, PickupsCannotBeKilled) {
    PlaneRecord& r = Victim(1, 60);
    const PlaneRecord before = r;
    KillObject(g, 1);
    EXPECT_EQ(r.Dying, before.Dying);
    EXPECT_EQ(r.HitPoints, before.HitPoints);
    EXPECT_EQ(LiveEffects(), 0);
    EXPECT_TRUE(Requested().empty());
}

TEST_F(KillTest, AKilledObjectFallsWithItsPathsDriftAndExplodes) {
    PlaneRecord& r = Victim(1, 3);
    r.FallSpeed = 0.7;
    KillObject(g, 1);
    EXPECT_EQ(r.Active, True);
    EXPECT_EQ(r.Dying, True);
    EXPECT_EQ(r.HitPoints, 0);
    EXPECT_EQ(r.FallSpeed, 0);
    EXPECT_EQ(r.FallDrift, 6);
    EXPECT_EQ(r.Frame, 5);  // first frame of animation 2
    EXPECT_EQ(r.PathId, 4);
    EXPECT_EQ(Requested(), (std::vector<int>{29}));
    ASSERT_EQ(LiveEffects(3), 1);
    EXPECT_EQ(g.Obj.Effects[1].X, 200 + (60 - 79) / 2);
}

TEST_F(KillTest, KilledInASpecialAnimationItFollowsADeathPath) {
    for (int type : {3, 15, 45}) {
        PlaneRecord& r = Victim(1, type);
        r.InSpecialAnim = True;
        KillObject(g, 1);
        const bool alt = type != 3;
        EXPECT_EQ(r.PathStep, 7) << type;
        EXPECT_EQ(r.PathId, alt ? 55 : 2) << type;
        EXPECT_EQ(r.AnimId, alt ? 3 : 2) << type;
        EXPECT_EQ(r.Frame, alt ? 9 : 6) << type;  // Anim(AnimId, AnimStep 2)
    }
}

TEST_F(KillTest, DuringAFreezeANonBossShattersAndTheLastOneShortensTheFrozenPhase) {
    Freeze();
    g.Ice.FrozenCount = 2;
    PlaneRecord& r = Victim(1, 3);
    KillObject(g, 1);
    EXPECT_EQ(r.Active, 0);
    EXPECT_EQ(r.FallDrift, 0);
    EXPECT_EQ(LiveEffects(7), 8);
    EXPECT_EQ(LiveEffects(3), 0);
    const auto s = Requested();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_TRUE(s[0] == 34 || s[0] == 35);
    EXPECT_EQ(g.Ice.FrozenTimer, 200);
    EXPECT_EQ(g.Ice.FrozenCount, 1);

    ClearSounds();
    PlaneRecord& boss = Victim(2, 5);
    boss.IsBoss = True;
    KillObject(g, 2);  // a boss explodes as usual, and still counts
    EXPECT_EQ(boss.Active, True);
    EXPECT_EQ(LiveEffects(3), 1);
    EXPECT_EQ(Requested(), (std::vector<int>{29}));
    EXPECT_EQ(g.Ice.FrozenCount, 0);
    EXPECT_EQ(g.Ice.FrozenTimer, 30);
}

TEST_F(KillTest, PartnersFlyOffAndLinksAreCleared) {
    struct Case { int type; int partnerX; int wantPath; } cases[] = {
        {3, 100, 15}, {3, 101, 8}, {41, 300, 6}};
    for (auto c : cases) {
        PlaneRecord& r = Victim(1, c.type);
        PlaneRecord& l = Object(2, 12, c.partnerX, 100);
        l.PathId = 6;
        l.PathStep = 9;
        r.Link = 2;
        l.Link = 1;
        KillObject(g, 1);
        EXPECT_EQ(l.PathId, c.wantPath) << c.type << " at " << c.partnerX;
        EXPECT_EQ(l.PathStep, c.type == 41 ? 9 : 1);
        EXPECT_EQ(l.Link, 0);
        EXPECT_EQ(r.Link, 0);
    }
}

TEST_F(KillTest, TheLevelStartPlaneTurnsAwayAndStartsTheScript) {
    g.Run.ScriptHold = True;
    PlaneRecord& r = Victim(1, 20);
    r.HasPropeller = True;
    KillObject(g, 1);
    EXPECT_EQ(r.Active, True);
    EXPECT_EQ(r.Dying, False);
    EXPECT_EQ(r.HitPoints, 10000);
    EXPECT_EQ(r.HasPropeller, False);
    EXPECT_EQ(r.PathId, 80);
    EXPECT_EQ(r.PathStep, 1);
    EXPECT_EQ(g.Run.ScriptHold, False);

    // During a freeze it shatters, the script starts all the same and the freeze is cut short.
    g.Run.ScriptHold = True;
    Freeze();
    g.Ice.FreezeTimer = 4;
    PlaneRecord& f = Victim(2, 20);
    KillObject(g, 2);
    EXPECT_EQ(f.Active, 0);
    EXPECT_EQ(LiveEffects(7), 8);
    EXPECT_EQ(g.Run.ScriptHold, False);
    EXPECT_EQ(g.Ice.FreezeTimer, 0);
    EXPECT_EQ(g.Ice.FrozenTimer, 1);
}

TEST_F(KillTest, TheFirstPartKillOfALevelRevivesAndConvertsEveryPart) {
    PlaneRecord& stage = g.Types.PlaneTypes[39];
    stage.HitPoints = 2222;
    stage.SrcX = 33;
    stage.Width = 150;
    stage.Height = 90;
    stage.GunCount = 3;
    g.Run.Level = 4;
    PlaneRecord& front1 = Victim(2, 37);
    PlaneRecord& rear = Victim(3, 38, 300, 80);
    PlaneRecord& front2 = Victim(5, 37);
    front2.Active = 0;  // chosen by type alone
    KillObject(g, 2);

    for (PlaneRecord* f : {&front1, &front2}) {
        EXPECT_EQ(f->Dying, False);
        EXPECT_EQ(f->HitPoints, 1500);
        EXPECT_EQ(f->DeathSound, 49);
        EXPECT_EQ(f->FireChance[1], 30);
        EXPECT_EQ(f->GunCount, 2);
        EXPECT_EQ(f->PathStep, 1);
        EXPECT_EQ(f->AnimStep, 1);
        EXPECT_EQ(f->AnimId, 4);
    }
    EXPECT_EQ(front1.PathId, 127);
    EXPECT_EQ(front2.PathId, 128);
    EXPECT_EQ(rear.TypeId, 49);
    EXPECT_EQ(rear.Sheet, 31);
    EXPECT_EQ(rear.HitPoints, 2222);
    EXPECT_EQ(rear.SrcX, 33);
    EXPECT_EQ(rear.Width, 150);
    EXPECT_EQ(rear.Height, 90);
    EXPECT_EQ(rear.GunCount, 3);
    EXPECT_EQ(rear.PathId, 125);
    EXPECT_EQ(rear.Y, 110);
    EXPECT_EQ(g.Sounds[61], True);
    EXPECT_EQ(g.Sounds[47], True);
    EXPECT_EQ(g.Voice.VoiceCooldown, 120);
    EXPECT_EQ(g.Voice.PartTakeoverDone, True);

    // A second part kill in the same level only explodes.
    ClearSounds();
    KillObject(g, 5);
    EXPECT_EQ(front2.Dying, True);
    EXPECT_EQ(front1.Dying, False);
    EXPECT_EQ(g.Sounds[47], False);
}

TEST_F(KillTest, TheFinalStagesTakeoverHasNoVoice) {
    g.Run.Level = 11;
    Victim(1, 38);
    KillObject(g, 1);
    EXPECT_EQ(g.Sounds[61], False);
    EXPECT_EQ(g.Voice.VoiceCooldown, 0);
    EXPECT_EQ(g.Sounds[47], True);
    EXPECT_EQ(g.Obj.Planes[1].TypeId, 49);
}

TEST_F(KillTest, ABurstingObjectFiresEightBulletsUnlessFrozen) {
    PlaneRecord& r = Victim(1, 41, 200, 100);  // centre (230, 115)
    KillObject(g, 1);
    EXPECT_EQ(r.Active, 0);
    const int want[8][2] = {{9, 10}, {-9, -10}, {9, -10}, {-9, 10}, {12, 1}, {1, 12}, {-12, 1}, {1, -12}};
    for (int n = 0; n < 8; ++n) {
        const BulletType& b = g.Obj.Bullets[61 + n];
        EXPECT_EQ(b.TypeId, 26);
        EXPECT_EQ(b.X, 230);
        EXPECT_EQ(b.Y, 115 - 7);
        EXPECT_EQ(b.XSpeed, want[n][0]) << n;
        EXPECT_EQ(b.YSpeed, want[n][1]) << n;
    }
    EXPECT_EQ(LiveBullets(), 8);

    for (int k = 61; k <= 100; ++k) g.Obj.Bullets[k].Active = 0;
    Freeze();
    Victim(1, 41);
    KillObject(g, 1);
    EXPECT_EQ(LiveBullets(), 0);
    EXPECT_EQ(LiveEffects(7), 8);
}

TEST_F(KillTest, TheShieldGeneratorTakesEveryShieldPartWithIt) {
    Victim(1, 47);
    PlaneRecord& s1 = Victim(3, 46);
    PlaneRecord& s2 = Victim(7, 46);
    s2.DeathSound = 30;
    KillObject(g, 1);
    EXPECT_EQ(s1.Dying, True);
    EXPECT_EQ(s2.Dying, True);
    EXPECT_EQ(LiveEffects(3), 3);
    EXPECT_EQ(Requested(), (std::vector<int>{29, 30}));
    EXPECT_EQ(g.Voice.BossShieldDown, True);
}

TEST_F(KillTest, ABossStageReleasesTheNextParkedStage) {
    struct Case { int type, level, parkedY; int wantX, wantY; std::vector<int> sounds; int cooldown; } cases[] = {
        {49, 10, -138, 222, 100, {29, 55, 61}, 100},
        {49, 9, -138, 222, 100, {29, 55}, 0},
        {50, 10, -100, 222, 117, {29, 55, 62}, 0},
    };
    for (const auto& c : cases) {
        ClearSounds();
        g.Voice.VoiceCooldown = 0;
        g.Run.Level = ToInteger(c.level);
        PlaneRecord& r = Victim(1, c.type, 200, 100);
        r.PathId = 140;
        r.PathStep = 6;
        r.AnimStep = 3;
        r.AnimId = 1;
        PlaneRecord& decoy = Object(2, 3, 700, c.parkedY + 1);
        PlaneRecord& next = Object(4, c.type == 49 ? 50 : 48, 700, c.parkedY);
        PlaneRecord& later = Object(6, 48, 700, c.parkedY);
        KillObject(g, 1);
        EXPECT_EQ(next.X, c.wantX) << c.type;
        EXPECT_EQ(next.Y, c.wantY) << c.type;
        EXPECT_EQ(next.PathId, 140);
        EXPECT_EQ(next.PathStep, 6);
        EXPECT_EQ(next.AnimStep, 3);
        EXPECT_EQ(next.AnimId, 1);
        EXPECT_EQ(next.Frame, 5);
        EXPECT_EQ(decoy.X, 700);
        EXPECT_EQ(later.X, 700);
        EXPECT_EQ(Requested(), c.sounds) << c.type;
        EXPECT_EQ(g.Voice.VoiceCooldown, c.cooldown);
    }
    // Nothing parked: only the sound.
    ClearSounds();
    g.Run.Level = 3;
    for (int i = 2; i <= 20; ++i) g.Obj.Planes[i] = PlaneRecord{};
    Victim(1, 49);
    KillObject(g, 1);
    EXPECT_EQ(Requested(), (std::vector<int>{29, 55}));
}

TEST_F(KillTest, ThePlayerIsShotDownOncePerLife) {
    PlaneRecord& p = g.Player();
    g.Controls.SprayTimer = 12;
    KillPlayer(g);
    EXPECT_EQ(p.Dying, True);
    EXPECT_EQ(p.HitPoints, 0);
    EXPECT_EQ(p.HasCollided, True);
    EXPECT_EQ(g.Controls.SprayTimer, 0);
    EXPECT_EQ(Requested(), (std::vector<int>{32}));
    EXPECT_EQ(LiveEffects(3), 1);
    ClearSounds();
    p.HitPoints = -40;
    KillPlayer(g);
    EXPECT_EQ(p.HitPoints, 0);
    EXPECT_TRUE(Requested().empty());
    EXPECT_EQ(LiveEffects(3), 1);
}

using VoiceTest = CombatTest;

TEST_F(VoiceTest, CooldownSilencesAndClipsNeverRepeat) {
    g.Voice.VoiceCooldown = 3;
    PlayHurtVoice(g, False);
    EXPECT_TRUE(Requested().empty());

    int yells = 0;
    for (int n = 0; n < 400; ++n) {
        const int last = g.Voice.LastHurtVoice;
        g.Voice.VoiceCooldown = 0;
        ClearSounds();
        PlayHurtVoice(g, ToBoolean(n % 3 == 0));
        const auto s = Requested();
        ASSERT_EQ(s.size(), 1u);
        const int v = s[0];
        EXPECT_NE(v, last);
        EXPECT_EQ(g.Voice.LastHurtVoice, v);
        if (v >= 72) {
            ++yells;
            EXPECT_LE(v, 78);
            EXPECT_EQ(g.Voice.VoiceCooldown, 60);
            EXPECT_FALSE(n % 3 == 0) << "a scream-only call yelled";
            EXPECT_LE(last, 71) << "a yell followed a yell";
        } else {
            EXPECT_GE(v, 65);
            EXPECT_EQ(g.Voice.VoiceCooldown, 20);
        }
    }
    EXPECT_GT(yells, 10);  // about two in nine of the free calls after a scream
}

}  // namespace
