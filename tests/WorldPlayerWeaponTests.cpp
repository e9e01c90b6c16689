// The player's guns by weapon type, the fire and item controls, and the five special items.
#include "WorldPlayerSupport.h"

namespace gorb::test {
namespace {

using PlayerWeapons = PlayerTest;

// Gives the plane a weapon the way a pickup does.
void Arm(Game& g, int weapon) {
    PlaneRecord& p = g.Player();
    const BulletType& t = g.Types.BulletTypes[weapon];
    p.GunBullet[1] = ToInteger(weapon);
    p.FireChance[1] = t.FireRate;
    p.PlayerGunCount = t.PlayerGuns;
    p.GunX[1] = ToInteger(p.Width - t.Width);
}

TEST_F(PlayerWeapons, HeldFireShootsAtOnceAndThenEveryFireRateFrames) {
    struct Case {
        int Weapon;
        std::vector<int> ShotFrames;
    };
    const Case cases[] = {
        {1, {0, 4, 8}},  // 20 pixels a frame, rate 4
        {9, {0, 4, 8}},
        {10, {0, 3, 6, 9}},  // rate 3
    };
    for (const Case& c : cases) {
        PlaneRecord& p = Flying();
        p.GunCooldown = 0;
        Arm(g, c.Weapon);
        Hold({key::Fire});
        std::vector<int> shots;
        for (int f = 0; f < 10; ++f) {
            const int before = LiveBullets();
            UpdatePlayer(g);
            if (LiveBullets() > before) shots.push_back(f);
        }
        EXPECT_EQ(shots, c.ShotFrames) << "weapon " << c.Weapon;
        ClearObjectTables(g);
    }
}

TEST_F(PlayerWeapons, EachWeaponFiresItsBulletsFromItsMuzzles) {
    struct Shot {
        int X, Y, SpeedY;
    };
    struct Case {
        int Weapon;
        int Frame;
        std::vector<Shot> Shots;  // relative to the plane's corner
    };
    // Muzzles of frame 3: 30 and 31; of frame 7: 10 and 54. Bullets are centred on them.
    const Case cases[] = {
        {1, 3, {{70, 29, 0}, {70, 30, 0}}},
        {1, 7, {{70, 9, 0}, {70, 53, 0}}},
        {2, 7, {{60, 29, 0}}},  // one muzzle: the plane's vertical centre whatever the tilt
        {3, 3, {{60, 27, 0}, {60, 28, 0}}},
        {4, 3, {{70, 29, 2}, {70, 30, 2}, {70, 29, -2}, {70, 30, -2}}},
        {6, 3, {{70, 27, 2}, {70, 28, 2}, {70, 27, -2}, {70, 28, -2}}},
        {9, 3, {{54, 29, 0}, {54, 30, 0}}},
        {10, 3, {{54, 29, 0}, {54, 30, 0}}},
    };
    for (const Case& c : cases) {
        ClearObjectTables(g);
        PlaneRecord& p = Flying(100, 50);
        p.Frame = ToInteger(c.Frame);
        Arm(g, c.Weapon);
        FirePlayerGuns(g);
        std::vector<Shot> got;
        for (int b = 1; b <= 60; ++b) {
            const BulletType& t = g.Obj.Bullets[b];
            if (t.Active == 0) continue;
            EXPECT_EQ(t.TypeId, g.Types.BulletTypes[c.Weapon].TypeId);
            got.push_back({t.X - 100, t.Y - 50, t.YSpeed});
        }
        ASSERT_EQ(got.size(), c.Shots.size()) << "weapon " << c.Weapon;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].X, c.Shots[i].X) << "weapon " << c.Weapon << " shot " << i;
            EXPECT_EQ(got[i].Y, c.Shots[i].Y) << "weapon " << c.Weapon << " shot " << i;
            EXPECT_EQ(got[i].SpeedY, c.Shots[i].SpeedY) << "weapon " << c.Weapon << " shot " << i;
        }
        const BulletType& t = g.Types.BulletTypes[c.Weapon];
        EXPECT_EQ(p.GunCooldown, t.XSpeed * t.FireRate) << "weapon " << c.Weapon;
    }
}

TEST_F(PlayerWeapons, MuzzleFlashesFollowTheOptionButTheDiveAlwaysFlashes) {
    const Integer half = ToInteger(g.Types.EffectTypes[1].Height / 2);
    auto flashes = [&]() {
        std::vector<std::pair<int, int>> out;
        for (int e = 1; e <= 60; ++e) {
            const EffectType& t = g.Obj.Effects[e];
            if (t.Active != 0) out.push_back({t.X - 100, t.Y - 50 + half});
        }
        ClearObjectTables(g);
        return out;
    };
    PlaneRecord& p = Flying(100, 50);
    g.Flags.EffectsOn = True;
    FirePlayerGuns(g);
    EXPECT_EQ(flashes(), (std::vector<std::pair<int, int>>{{76, 30}, {76, 31}}));
    Arm(g, 2);
    FirePlayerGuns(g);
    EXPECT_EQ(flashes(), (std::vector<std::pair<int, int>>{{76, 32}}));
    g.Flags.EffectsOn = False;
    FirePlayerGuns(g);
    EXPECT_TRUE(flashes().empty());

    // The dive's flashes sit at the muzzles themselves, option or not.
    Arm(g, 1);
    p.Frame = 2;  // the dive's next frame is 3
    p.Y = 30;  // ten lower each frame: at 50 when it fires
    PlayerDiveAttack(g);
    EXPECT_TRUE(flashes().empty());  // odd frame: no shot
    PlayerDiveAttack(g);
    EXPECT_EQ(flashes(), (std::vector<std::pair<int, int>>{{70, 21}, {70, 35}}));
}

TEST_F(PlayerWeapons, AFallingPlaneNeitherFiresNorUsesItemsButThePilotCanStillEject) {
    PlaneRecord& p = Flying(200, 100);
    Arm(g, 4);
    Carry({1, 2});
    p.Link = 0;
    p.GunCooldown = 30;
    KillPlayer(g);
    Hold({key::Fire, key::Item});
    Frames(3);
    EXPECT_EQ(LiveBullets(), 0);
    EXPECT_EQ(g.Controls.ItemCount, 2);
    EXPECT_EQ(p.GunCooldown, 30);  // the cooldowns stand still

    Hold({key::Eject});
    UpdatePlayer(g);
    EXPECT_EQ(p.Link, 1);
    EXPECT_EQ(p.GunBullet[1], 1);
    EXPECT_EQ(g.Controls.SavedWeapon, 4);
    EXPECT_EQ(g.Controls.SavedItemCount, 2);
    EXPECT_EQ(ActiveObjects(), 1);
}

TEST_F(PlayerWeapons, JoystickButtonsCountOnlyWhenExactlyTrue) {
    g.Flags.JoystickMode = True;
    PlaneRecord& p = Flying();
    Carry({4});
    p.Link = 0;
    g.Controls.JoystickFire = 1;
    g.Controls.JoystickBomb = 1;
    g.Controls.JoystickEject = 1;
    Hold({key::Fire, key::Item, key::Eject});
    UpdatePlayer(g);
    EXPECT_EQ(LiveBullets(), 0);
    EXPECT_EQ(g.Controls.ItemCount, 1);
    EXPECT_EQ(p.Link, 0);
    EXPECT_EQ(media.KeyReads, 0);

    g.Controls.JoystickFire = True;
    g.Controls.JoystickBomb = True;
    UpdatePlayer(g);
    EXPECT_EQ(LiveBullets(1), 2);
    EXPECT_EQ(g.Controls.RainTimer, 17);
}

TEST_F(PlayerWeapons, EachItemDoesItsOwnThing) {
    // Fireball column: eleven piercing fireballs from the plane's centre line, tops 0..320.
    PlaneRecord& p = Flying(100, 200);
    Carry({1});
    ClearSounds();
    UsePlayerItem(g);
    ASSERT_EQ(LiveBullets(5), 11);
    for (int b = 1; b <= 11; ++b) {
        EXPECT_EQ(g.Obj.Bullets[b].X, 140);
        EXPECT_EQ(g.Obj.Bullets[b].Y, 32 * (b - 1));
    }
    EXPECT_EQ(g.Sounds[46], True);

    // Ice bomb: from the plane's middle, centred 20 below its top.
    ClearObjectTables(g);
    Carry({2});
    ClearSounds();
    UsePlayerItem(g);
    ASSERT_EQ(LiveBullets(7), 1);
    EXPECT_EQ(g.Obj.Bullets[1].X, 140);
    EXPECT_EQ(g.Obj.Bullets[1].Y, 220 - g.Types.BulletTypes[7].Height / 2);
    EXPECT_EQ(g.Sounds[83], True);

    // Loop dive, rain, axe spray.
    Carry({3});
    UsePlayerItem(g);
    EXPECT_EQ(g.Controls.ManoeuvreCounter, 31);
    EXPECT_EQ(g.Controls.ManoeuvreStep, (100 + 80 + 20) / 10);
    EXPECT_EQ(p.Invulnerable, True);
    EXPECT_EQ(g.Sounds[56], True);
    Carry({4});
    ClearSounds();
    UsePlayerItem(g);
    EXPECT_EQ(g.Controls.RainTimer, 17);
    EXPECT_EQ(Requested(), (std::vector<int>{29, 58}));
    Carry({5});
    ClearSounds();
    UsePlayerItem(g);
    EXPECT_EQ(g.Controls.SprayTimer, 25);
    EXPECT_EQ(Requested(), (std::vector<int>{54}));

    // An unknown kind is used up with no effect.
    ClearObjectTables(g);
    Carry({9});
    ClearSounds();
    UsePlayerItem(g);
    EXPECT_EQ(g.Controls.ItemCount, 0);
    EXPECT_EQ(LiveBullets(), 0);
    EXPECT_TRUE(Requested().empty());
}

TEST_F(PlayerWeapons, TheTopItemGoesFirstAndAHeldKeyUsesOneEvery50Frames) {
    PlaneRecord& p = Flying();
    Carry({5, 4, 2});
    Hold({key::Item});
    std::vector<int> counts;
    for (int f = 0; f < 101; ++f) {
        UpdatePlayer(g);
        counts.push_back(g.Controls.ItemCount);
    }
    EXPECT_EQ(counts[0], 2);
    EXPECT_EQ(counts[49], 2);
    EXPECT_EQ(counts[50], 1);
    EXPECT_EQ(counts[100], 0);
    EXPECT_EQ(g.Controls.Items[3], 0);  // emptied above the top
    EXPECT_EQ(LiveBullets(7), 1);       // the ice bomb first
    EXPECT_EQ(g.Controls.RainTimer, 17);  // the bullets run it down, not the plane
    EXPECT_EQ(g.Controls.SprayTimer, 25);
    EXPECT_EQ(p.ItemCooldown, 50);
}

TEST_F(PlayerWeapons, UsingTheLastItemLocksTheEjectOnlyWithTheBasicWeapon) {
    PlaneRecord& p = Flying();
    p.Link = 0;
    Carry({4, 4});
    UsePlayerItem(g);
    EXPECT_EQ(p.Link, 0);  // one left
    UsePlayerItem(g);
    EXPECT_EQ(p.Link, 1);

    p.Link = 0;
    Arm(g, 2);
    Carry({4});
    UsePlayerItem(g);
    EXPECT_EQ(p.Link, 0);

    // Items are refused during the level exit and with none carried.
    Carry({4});
    g.Run.LevelComplete = True;
    UsePlayerItem(g);
    EXPECT_EQ(g.Controls.ItemCount, 1);
    g.Run.LevelComplete = False;
    g.Controls.ItemCount = 0;
    g.Controls.RainTimer = 0;
    UsePlayerItem(g);
    EXPECT_EQ(g.Controls.RainTimer, 0);
    EXPECT_EQ(p.ItemCooldown, 50);  // from the earlier uses only
}

TEST_F(PlayerWeapons, AFullBulletTableDropsFurtherShots) {
    Flying();
    for (int b = 1; b <= 59; ++b) g.Obj.Bullets[b].Active = True;
    Carry({1});
    UsePlayerItem(g);
    EXPECT_EQ(LiveBullets(5), 1);
    EXPECT_EQ(g.Obj.Bullets[60].TypeId, 5);
    EXPECT_EQ(LiveBullets(), 60);
}

}  // namespace
}  // namespace gorb::test
