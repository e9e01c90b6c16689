// The rules of touching: the player's plane ramming objects and collecting pickups, and
// bullets hitting objects and the player.
#include <algorithm>

#include "WorldCombatSupport.h"

using namespace gorb;
using namespace gorb::test;

namespace {

bool IsVoice(int n) { return n >= 65 && n <= 78; }

class RamTest : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        g.Player().X = 100;
        g.Player().Y = 100;
    }
    // An object touching the player's plane.
    PlaneRecord& Touching(int type, int hp, bool boss = false) {
        PlaneRecord& o = Object(1, type, 120, 110, 60, 30, hp);
        o.IsBoss = ToBoolean(boss);
        return o;
    }
    bool HasVoice() const {
        for (int n : Requested())
            if (IsVoice(n)) return true;
        return false;
    }
    bool Requested(int n) const { return g.Sounds[n] == True; }
    using CombatTest::Requested;
};

TEST_F(RamTest, RammingCostsBothSidesOnTheFirstContact) {
    struct Case {
        int type, hp;
        bool boss, iced;
        int playerHp;      // after the first frame (0 when shot down)
        bool playerDown;
        int objectHp;      // after the first frame (0 when killed)
        bool objectDown;
        bool loud;         // voice, explosion on the player, collision sound
    } cases[] = {
        {3, 30, false, false, 20, false, 0, true, true},       // at least 80 lost; plane killed
        {3, 250, false, false, 0, true, 150, false, true},     // player shot down, plane lives
        {5, 3000, true, false, 0, true, 2900, false, true},    // a boss
        {44, 500, false, false, 100, false, 400, false, false},  // type 44 never hurts
        {3, 250, false, true, 100, false, 150, false, false},  // frozen: no hurt, still 100 off
        {5, 3000, true, true, 0, true, 2900, false, true},     // a frozen boss still hurts
    };
    for (const Case& c : cases) {
        PlaneRecord& p = g.Player();
        p.HitPoints = 100;
        p.Dying = 0;
        p.HasCollided = 0;
        p.FallSpeed = 1.5;
        g.Ice.FrozenTimer = ToInteger(c.iced ? 100 : 0);
        g.Voice.VoiceCooldown = 0;
        for (int n = 1; n <= 60; ++n) g.Obj.Effects[n].Active = 0;
        ClearSounds();
        PlaneRecord& o = Touching(c.type, c.hp, c.boss);

        CheckPlayerCollisions(g);
        const std::string what = std::to_string(c.type) + "/" + std::to_string(c.hp) + (c.iced ? " iced" : "");
        EXPECT_EQ(p.HitPoints, c.playerHp) << what;
        EXPECT_EQ(p.Dying == True, c.playerDown) << what;
        EXPECT_EQ(o.HitPoints, c.objectHp) << what;
        EXPECT_EQ(o.Dying == True, c.objectDown) << what;
        EXPECT_EQ(o.HasCollided, True) << what;
        EXPECT_EQ(HasVoice(), c.loud) << what;
        EXPECT_EQ(Requested(36) || Requested(37), c.loud) << what;
        // The explosion on the player's plane (a killed object adds its own).
        int onPlayer = 0;
        for (int n = 1; n <= 60; ++n) {
            const EffectType& e = g.Obj.Effects[n];
            onPlayer += e.Active == True && e.KindCode == 3 && e.X == 100 && e.Y == 96;
        }
        // A shot-down player adds the explosion of its own death.
        EXPECT_EQ(onPlayer, (c.loud ? 1 : 0) + (c.playerDown ? 1 : 0)) << what;
        // A plane shot down by its first contact starts its fall from rest.
        EXPECT_EQ(p.FallSpeed, c.playerDown ? 0.0 : 1.5) << what;
    }
}

TEST_F(RamTest, LaterContactFramesDrainOnlyThePlayer) {
    PlaneRecord& o = Touching(3, 250);
    CheckPlayerCollisions(g);
    PlaneRecord& p = g.Player();
    ASSERT_EQ(p.Dying, True);
    p.FallSpeed = 1.5;
    p.HitPoints = 300;  // to see the next frame's loss before the death check
    g.Run.LevelComplete = False;
    ClearSounds();
    g.Voice.VoiceCooldown = 0;
    for (int n = 1; n <= 60; ++n) g.Obj.Effects[n].Active = 0;

    CheckPlayerCollisions(g);
    EXPECT_EQ(p.HitPoints, 150);  // 300 - the object's 150 left; not shot down again
    EXPECT_EQ(o.HitPoints, 150);
    EXPECT_TRUE(CombatTest::Requested().empty());
    EXPECT_EQ(LiveEffects(), 0);
    EXPECT_EQ(p.FallSpeed, 1.5);

    p.HitPoints = 100;
    CheckPlayerCollisions(g);  // 100 - 150: the death check runs on every contact frame
    EXPECT_EQ(p.HitPoints, 0);
    EXPECT_EQ(p.FallSpeed, 1.5);  // only the first contact stops the fall
    EXPECT_TRUE(CombatTest::Requested().empty());
}

TEST_F(RamTest, PlayerEnergyStopsAtItsFloor) {
    g.Run.LevelComplete = False;
    Touching(3, 32000);
    g.Player().HitPoints = -2000;
    CheckPlayerCollisions(g);  // -34000 would not fit in 16 bits
    EXPECT_EQ(g.Player().HitPoints, 0);
    EXPECT_EQ(g.Player().Dying, True);
}

TEST_F(RamTest, NoRammingWhileFlyingInInvulnerableOrAtTheLevelEnd) {
    for (int c = 0; c < 3; ++c) {
        PlaneRecord& p = g.Player();
        p.Active = c == 0 ? 0 : True;
        p.Invulnerable = c == 1 ? True : 0;
        g.Run.LevelComplete = c == 2 ? True : False;
        PlaneRecord& o = Touching(3, 250);
        CheckPlayerCollisions(g);
        EXPECT_EQ(p.HitPoints, 100) << c;
        EXPECT_EQ(o.HitPoints, 250) << c;
        EXPECT_EQ(o.HasCollided, 0) << c;
    }
}

TEST_F(RamTest, PickupsAreCollectedOnAnyTouchAndUnlinked) {
    g.Player().Active = 0;  // flying in
    g.Player().HitPoints = 30;
    PlaneRecord& pickup = Touching(58, 10);
    pickup.Link = 2;
    PlaneRecord& carrier = Object(2, 12, 400, 200);
    carrier.Link = 1;
    CheckPlayerCollisions(g);
    EXPECT_EQ(pickup.Active, 0);
    EXPECT_EQ(pickup.Link, 0);
    EXPECT_EQ(carrier.Link, 0);
    EXPECT_EQ(g.Player().HitPoints, 100);  // the energy pickup applied, nothing rammed
    EXPECT_EQ(Requested(), (std::vector<int>{43}));
}

TEST_F(RamTest, ThePlayersCurrentFrameIsWhatTouches) {
    // Only the plane's second frame (rows 64..127 of its sheet) is opaque.
    media.MakeSheet(surf::Player, 80, 1024, kKey);
    Paint(surf::Player, 0, 64, 80, 64);
    PlaneRecord& p = g.Player();
    PlaneRecord& o = Touching(3, 250);
    p.SrcY = 0;
    CheckPlayerCollisions(g);
    EXPECT_EQ(o.HitPoints, 250);
    p.SrcY = 64;
    CheckPlayerCollisions(g);
    EXPECT_EQ(o.HitPoints, 150);
}

TEST_F(RamTest, DyingObjectsAndKeyPixelsAreNeverRammed) {
    PlaneRecord& o = Touching(3, 250);
    o.Dying = True;
    CheckPlayerCollisions(g);
    EXPECT_EQ(g.Player().HitPoints, 100);
    o.Dying = 0;
    media.MakeSheet(1, 400, 400, kKey);
    CheckPlayerCollisions(g);
    EXPECT_EQ(g.Player().HitPoints, 100);
}

class HitTest : public CombatTest {};

TEST_F(HitTest, PlayerBulletDamagesEndsAndPuffs) {
    PlaneRecord& o = Object(1, 3, 100, 100, 60, 30, 50);
    BulletType& b = Bullet(1, 1, 110, 110);  // type 1: 10 damage
    CheckBulletHits(g, 1, True);
    EXPECT_EQ(o.HitPoints, 40);
    EXPECT_EQ(b.Active, 0);
    EXPECT_TRUE(g.Sounds[21] == True || g.Sounds[22] == True);
    ASSERT_EQ(LiveEffects(2), 1);
    EXPECT_EQ(g.Obj.Effects[1].X, 110 + (10 - 25) / 2);

    g.Flags.EffectsOn = False;
    Bullet(1, 1, 110, 110);
    CheckBulletHits(g, 1, True);
    EXPECT_EQ(LiveEffects(), 1);
    EXPECT_EQ(o.HitPoints, 30);
}

TEST_F(HitTest, TheBulletsCurrentFrameIsWhatHits) {
    // Only the bullet's own frame of its sheet is opaque; the object is opaque everywhere.
    media.MakeSheet(surf::Bullet, 317, 136, kKey);
    Paint(surf::Bullet, 245, 53, 10, 3);
    PlaneRecord& o = Object(1, 3, 100, 100, 60, 30, 50);
    BulletType& b = Bullet(1, 1, 110, 110);
    b.SrcY = 50;  // a frame beside it: all key
    CheckBulletHits(g, 1, True);
    EXPECT_EQ(o.HitPoints, 50);
    b.SrcY = 53;
    CheckBulletHits(g, 1, True);
    EXPECT_EQ(o.HitPoints, 40);
}

TEST_F(HitTest, AUsedUpBulletStillHitsEverythingItOverlapsThisFrame) {
    PlaneRecord& a = Object(1, 3, 100, 100);
    PlaneRecord& b2 = Object(2, 3, 105, 100);
    Bullet(1, 2, 110, 110);  // 25 damage, not piercing
    CheckBulletHits(g, 1, True);
    EXPECT_EQ(a.HitPoints, 25);
    EXPECT_EQ(b2.HitPoints, 25);
    EXPECT_EQ(g.Obj.Bullets[1].Active, 0);
}

TEST_F(HitTest, PiercingBulletsStayAndHitAgain) {
    PlaneRecord& o = Object(1, 3, 100, 100, 60, 30, 100);
    for (int type : {5, 8, 36, 37}) {
        o.HitPoints = 100;
        BulletType& b = Bullet(1, type, 110, 105);
        const int dmg = b.Damage;
        CheckBulletHits(g, 1, True);
        CheckBulletHits(g, 1, True);
        EXPECT_EQ(b.Active, True) << type;
        EXPECT_EQ(o.HitPoints, 100 - 2 * dmg) << type;
    }
}

TEST_F(HitTest, PickupsAndObjectsRightOfTheAreaAreNeverHit) {
    PlaneRecord& pickup = Object(1, 57, 100, 100, 60, 30, 10);
    PlaneRecord& far = Object(2, 3, 612, 100, 60, 30, 10);
    Bullet(1, 1, 110, 110);
    Bullet(2, 1, 615, 110);
    CheckBulletHits(g, 1, True);
    CheckBulletHits(g, 2, True);
    EXPECT_EQ(pickup.HitPoints, 10);
    EXPECT_EQ(far.HitPoints, 10);
    EXPECT_EQ(LiveBullets(), 2);
    far.X = 611;
    CheckBulletHits(g, 2, True);
    EXPECT_EQ(far.HitPoints, 0);  // killed
    EXPECT_EQ(far.Dying, True);
}

TEST_F(HitTest, LargeItemBulletsUseTheCollisionOptionsGrid) {
    media.MakeSheet(1, 400, 400, kKey);
    Paint(1, 13, 5, 1, 1);  // object pixel at overlap column 3, row 0
    struct Case { int type; int option; bool hit; } cases[] = {
        {1, 3, false}, {2, 5, false}, {5, 3, true}, {5, 5, false}, {36, 3, true}, {37, 5, false}};
    for (auto c : cases) {
        PlaneRecord& o = Object(1, 3, 100, 100, 60, 30, 200);
        g.Flags.CollisionStep = ToInteger(c.option);
        Bullet(1, c.type, 110, 105);
        CheckBulletHits(g, 1, True);
        EXPECT_EQ(o.HitPoints < 200, c.hit) << c.type << " step " << c.option;
    }
}

TEST_F(HitTest, InvulnerableTargetsTakeNoDamageButTheIceBombStillFreezes) {
    PlaneRecord& o = Object(1, 3, 100, 100);
    o.Invulnerable = True;
    Bullet(2, 2, 110, 105);
    CheckBulletHits(g, 2, True);
    EXPECT_EQ(o.HitPoints, 50);
    EXPECT_EQ(g.Obj.Bullets[2].Active, 0);
    BulletType& b = Bullet(1, 7, 110, 105);
    CheckBulletHits(g, 1, True);
    EXPECT_EQ(o.HitPoints, 50);
    EXPECT_EQ(b.Active, 0);
    EXPECT_EQ(g.Ice.FreezeTimer, 10);
    EXPECT_EQ(LiveEffects(6), 1);
}

class EnemyHitTest : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        g.Player().X = 100;
        g.Player().Y = 100;
    }
    void Shoot(int type) {
        Bullet(61, type, 120, 120);
        CheckBulletHits(g, 61, False);
    }
};

TEST_F(EnemyHitTest, HitSoundsByBulletType) {
    struct Case { int type; std::vector<int> sounds; } cases[] = {
        {14, {95}}, {16, {28}}, {18, {96}}, {20, {33}}, {12, {92, 93, 94}}, {25, {92, 93, 94}}};
    for (const auto& c : cases) {
        ClearSounds();
        g.Player().HitPoints = 10000;
        g.Voice.HurtVoiceMeter = 0;
        Shoot(c.type);
        int found = 0;
        for (int n : c.sounds) found += g.Sounds[n] == True;
        EXPECT_EQ(found, 1) << c.type;
        for (int n : {95, 28, 96, 33, 92, 93, 94})
            if (std::find(c.sounds.begin(), c.sounds.end(), n) == c.sounds.end()) {
                EXPECT_EQ(g.Sounds[n], False) << c.type << " sound " << n;
            }
    }
}

TEST_F(EnemyHitTest, SlowingShotLowersTopSpeedToFour) {
    std::vector<int> speeds;
    for (int n = 0; n < 4; ++n) {
        g.Player().SpeedX = 0;
        Shoot(20);
        speeds.push_back(g.Player().MaxSpeed);
        EXPECT_EQ(g.Player().SpeedX, n < 3 ? g.Player().MaxSpeed : 0) << n;  // untouched at 4
    }
    EXPECT_EQ(speeds, (std::vector<int>{8, 6, 4, 4}));
    EXPECT_EQ(g.Player().SpeedY, 4);
    EXPECT_EQ(g.Player().HitPoints, 100);  // no damage
}

TEST_F(EnemyHitTest, ThirdQuickHitScreams) {
    g.Player().HitPoints = 10000;
    std::vector<int> meter;
    for (int n = 0; n < 3; ++n) {
        ClearSounds();
        Shoot(12);
        meter.push_back(g.Voice.HurtVoiceMeter);
    }
    EXPECT_EQ(meter, (std::vector<int>{14, 28, 0}));
    int screams = 0;
    for (int n = 65; n <= 71; ++n) screams += g.Sounds[n] == True;
    EXPECT_EQ(screams, 1);

    // A meter that reaches exactly 40 stays silent; from 40 it no longer rises.
    g.Voice.HurtVoiceMeter = 26;
    g.Voice.VoiceCooldown = 0;
    ClearSounds();
    Shoot(12);
    EXPECT_EQ(g.Voice.HurtVoiceMeter, 40);
    for (int n = 65; n <= 78; ++n) EXPECT_EQ(g.Sounds[n], False);

    g.Voice.HurtVoiceMeter = 40;  // stays until the player update lowers it
    g.Voice.VoiceCooldown = 0;
    ClearSounds();
    Shoot(12);
    EXPECT_EQ(g.Voice.HurtVoiceMeter, 40);
    for (int n = 65; n <= 78; ++n) EXPECT_EQ(g.Sounds[n], False);
}

TEST_F(EnemyHitTest, ALethalHitShootsThePlayerDownUnlessTheLevelIsComplete) {
    g.Player().HitPoints = 30;
    g.Player().FallSpeed = 2;
    g.Run.LevelComplete = True;
    Shoot(14);  // 42 damage
    EXPECT_EQ(g.Player().HitPoints, -12);
    EXPECT_EQ(g.Player().Dying, 0);
    g.Run.LevelComplete = False;
    Shoot(14);
    EXPECT_EQ(g.Player().HitPoints, 0);
    EXPECT_EQ(g.Player().Dying, True);
    EXPECT_EQ(g.Player().FallSpeed, 0);
    EXPECT_EQ(g.Sounds[32], True);
}

}  // namespace
