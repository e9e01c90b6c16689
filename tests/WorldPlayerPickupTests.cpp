// Pickups, the pilot's eject and catching the pilot again.
#include "WorldPlayerSupport.h"

namespace gorb::test {
namespace {

using Pickups = PlayerTest;

TEST_F(Pickups, ItemPickupsPushTheirItemAndFreeTheEject) {
    struct Case {
        int Pickup, Item;
    };
    const Case cases[] = {{52, 5}, {53, 4}, {54, 1}, {61, 3}, {63, 2}};
    PlaneRecord& p = g.Player();
    int count = 0;
    for (const Case& c : cases) {
        p.Link = 1;
        ClearSounds();
        ApplyPickup(g, ToInteger(c.Pickup));
        ++count;
        EXPECT_EQ(g.Controls.ItemCount, count) << c.Pickup;
        EXPECT_EQ(g.Controls.Items[count], c.Item) << c.Pickup;
        EXPECT_EQ(p.Link, 0) << c.Pickup;
        EXPECT_EQ(Requested(), std::vector<int>{42}) << c.Pickup;
    }
    // A full row adds nothing and stays silent, but still frees the eject.
    Carry({1, 1, 1, 1, 1});
    p.Link = 1;
    ClearSounds();
    ApplyPickup(g, 54);
    EXPECT_EQ(g.Controls.ItemCount, 10);
    EXPECT_EQ(p.Link, 0);
    EXPECT_TRUE(Requested().empty());
}

TEST_F(Pickups, WeaponPickupsStepThroughTheirFamily) {
    PlaneRecord& p = g.Player();
    g.Voice.VoiceCooldown = 0;
    ApplyPickup(g, 57);
    EXPECT_EQ(p.GunBullet[1], 4);
    EXPECT_EQ(p.FireChance[1], 4);
    EXPECT_EQ(p.PlayerGunCount, 2);
    EXPECT_EQ(p.GunX[1], 70);
    EXPECT_EQ(Requested(), std::vector<int>{41});
    EXPECT_EQ(p.Link, 0);

    ClearSounds();
    ApplyPickup(g, 57);
    EXPECT_EQ(p.GunBullet[1], 6);
    EXPECT_EQ(Requested(), (std::vector<int>{41, 64}));  // the upgrade voice
    EXPECT_EQ(g.Voice.VoiceCooldown, 20);

    ClearSounds();
    g.Voice.VoiceCooldown = 0;
    ApplyPickup(g, 57);
    EXPECT_EQ(p.GunBullet[1], 6);
    EXPECT_EQ(Requested(), std::vector<int>{41});

    // Another family's pickup gives its lower member.
    ApplyPickup(g, 60);
    EXPECT_EQ(p.GunBullet[1], 2);
    EXPECT_EQ(p.PlayerGunCount, 1);
    EXPECT_EQ(p.GunX[1], 60);
    ApplyPickup(g, 59);
    EXPECT_EQ(p.GunBullet[1], 9);
    EXPECT_EQ(p.GunX[1], 54);
    // The upper member while a voice cools down: no voice.
    ClearSounds();
    g.Voice.VoiceCooldown = 5;
    ApplyPickup(g, 59);
    EXPECT_EQ(p.GunBullet[1], 10);
    EXPECT_EQ(p.FireChance[1], 3);
    EXPECT_EQ(Requested(), std::vector<int>{41});
    ApplyPickup(g, 60);
    EXPECT_EQ(p.GunBullet[1], 2);
}

TEST_F(Pickups, EnergyLivesAndUnknownKinds) {
    PlaneRecord& p = g.Player();
    p.HitPoints = 30;
    ApplyPickup(g, 58);
    EXPECT_EQ(p.HitPoints, 100);
    EXPECT_EQ(g.Sounds[43], True);
    const Integer lives = p.Lives;
    ApplyPickup(g, 62);
    EXPECT_EQ(p.Lives, lives + 1);
    EXPECT_EQ(g.Sounds[44], True);

    ClearSounds();
    p.Link = 1;
    const PlaneRecord before = p;
    ApplyPickup(g, 51);
    ApplyPickup(g, 64);
    EXPECT_EQ(p.Link, 1);
    EXPECT_EQ(p.Lives, before.Lives);
    EXPECT_TRUE(Requested().empty());
}

TEST_F(Pickups, SpeedPickupsRaiseTheTopSpeedTo14) {
    PlaneRecord& p = g.Player();
    std::vector<int> tops;
    p.MaxSpeed = 10;
    for (int i = 0; i < 3; ++i) {
        ApplyPickup(g, 56);
        tops.push_back(p.MaxSpeed);
    }
    EXPECT_EQ(tops, (std::vector<int>{12, 14, 14}));
    EXPECT_EQ(g.Sounds[45], True);
    p.MaxSpeed = 6;
    ApplyPickup(g, 56);
    EXPECT_EQ(p.MaxSpeed, 10);

    // Only a plane moving right or down at the old top speed or half of it speeds up.
    struct Case {
        int Speed, After;
    };
    for (const Case c : {Case{10, 12}, Case{5, 6}, Case{-10, -10}, Case{7, 7}, Case{0, 0}}) {
        p.MaxSpeed = 10;
        p.SpeedX = ToInteger(c.Speed);
        p.SpeedY = ToInteger(c.Speed);
        ApplyPickup(g, 56);
        EXPECT_EQ(p.SpeedX, c.After) << c.Speed;
        EXPECT_EQ(p.SpeedY, c.After) << c.Speed;
    }
    // The plane moving left at -10 overshoots to -16 with the key held.
    Flying();
    p.MaxSpeed = 12;
    p.SpeedX = -10;
    Hold({key::Left});
    UpdatePlayer(g);
    UpdatePlayer(g);
    EXPECT_EQ(p.SpeedX, -16);
}

TEST_F(Pickups, EjectSavesWeaponAndItemsAndTheCaughtPilotGivesThemBack) {
    PlaneRecord& p = Flying(200, 100);
    ApplyPickup(g, 59);
    ApplyPickup(g, 59);
    ASSERT_EQ(p.GunBullet[1], 10);
    Carry({1, 3, 5});
    g.Obj.Planes[1].Active = True;  // the pilot takes the first free slot
    g.Data.PathTable[1][2][15] = 9;  // the animation of the pilot's path's first step
    ClearSounds();

    EjectPilot(g);
    const PlaneRecord& pilot = g.Obj.Planes[2];
    EXPECT_EQ(pilot.Active, True);
    EXPECT_EQ(pilot.TypeId, 55);
    EXPECT_EQ(pilot.X, 220);
    EXPECT_EQ(pilot.Y, 85);
    EXPECT_EQ(pilot.PathId, 15);
    EXPECT_EQ(pilot.PathStep, 1);
    EXPECT_EQ(pilot.AnimStep, 1);
    EXPECT_EQ(pilot.AnimId, 9);
    EXPECT_EQ(pilot.Dying, False);
    EXPECT_EQ(p.Link, 1);
    EXPECT_EQ(p.GunBullet[1], 1);
    EXPECT_EQ(p.FireChance[1], 4);
    EXPECT_EQ(p.PlayerGunCount, 2);
    EXPECT_EQ(p.GunX[1], 70);
    EXPECT_EQ(g.Controls.ItemCount, 0);
    EXPECT_EQ(g.Controls.Items[2], 0);
    EXPECT_EQ(Requested(), std::vector<int>{84});

    // A second eject before anything is caught is refused.
    ClearSounds();
    EjectPilot(g);
    EXPECT_EQ(ActiveObjects(), 2);
    EXPECT_TRUE(Requested().empty());

    // Catching the pilot: weapon 10 and the three items, one sound, the upgrade voice withdrawn.
    g.Voice.VoiceCooldown = 0;
    ApplyPickup(g, 55);
    EXPECT_EQ(p.GunBullet[1], 10);
    EXPECT_EQ(p.FireChance[1], 3);
    EXPECT_EQ(p.PlayerGunCount, 2);
    EXPECT_EQ(p.GunX[1], 54);
    EXPECT_EQ(g.Controls.ItemCount, 3);
    EXPECT_EQ(g.Controls.Items[1], 1);
    EXPECT_EQ(g.Controls.Items[3], 5);
    EXPECT_EQ(p.Link, 0);
    EXPECT_EQ(Requested(), std::vector<int>{41});
    EXPECT_EQ(g.Voice.VoiceCooldown, 20);  // kept from the nested upgrade
}

TEST_F(Pickups, ThePilotRestoresEachSavedWeaponAndOnlyTheItemsThatFit) {
    struct Case {
        int Saved, Now, Restored;
    };
    // A saved lower member comes back through its family's pickup: from another family it
    // gives that member, while the same member in hand becomes the upper one.
    const Case cases[] = {{2, 1, 2}, {3, 1, 3}, {4, 9, 4}, {4, 4, 6}, {6, 1, 6},
                          {9, 1, 9}, {10, 4, 10}, {1, 6, 6}, {0, 2, 2}};
    PlaneRecord& p = g.Player();
    for (const Case& c : cases) {
        p.GunBullet[1] = ToInteger(c.Now);
        g.Controls.SavedWeapon = ToInteger(c.Saved);
        ApplyPickup(g, 55);
        EXPECT_EQ(p.GunBullet[1], c.Restored) << "saved " << c.Saved;
        EXPECT_EQ(p.PlayerGunCount, g.Types.BulletTypes[c.Restored].PlayerGuns) << "saved " << c.Saved;
    }

    // A nearly full row takes only as many saved items as fit.
    g.Controls.SavedWeapon = 1;
    g.Controls.SavedItemCount = 3;
    g.Controls.SavedItems = {0, 2, 3, 4};
    g.Controls.ItemCount = 0;
    Carry({5, 5, 5, 5, 5, 5, 5, 5});
    ApplyPickup(g, 55);
    EXPECT_EQ(g.Controls.ItemCount, 10);
    EXPECT_EQ(g.Controls.Items[9], 2);
    EXPECT_EQ(g.Controls.Items[10], 3);
}

TEST_F(Pickups, EjectIsRefusedWhenLockedAtTheLevelExitOrLowInTheFall) {
    PlaneRecord& p = Flying(200, 100);
    struct Case {
        int Link, Y;
        bool Exit, Ejects;
    };
    const Case cases[] = {{1, 100, false, false}, {0, 100, true, false}, {0, 430, false, false},
                          {0, 429, false, true}};
    for (const Case& c : cases) {
        ClearObjectTables(g);
        p.Link = ToInteger(c.Link);
        p.Y = ToInteger(c.Y);
        g.Run.LevelComplete = ToBoolean(c.Exit);
        EjectPilot(g);
        EXPECT_EQ(ActiveObjects(), c.Ejects ? 1 : 0) << "y " << c.Y;
    }
    // During any ice phase the pilot leaves higher.
    ClearObjectTables(g);
    g.Run.LevelComplete = False;
    p.Link = 0;
    p.Y = 100;
    g.Ice.ThawTimer = 3;
    EjectPilot(g);
    EXPECT_EQ(g.Obj.Planes[1].Y, 75);
}

TEST_F(Pickups, WithEverySlotTakenThePilotReplacesTheHighestNonBoss) {
    PlaneRecord& p = Flying();
    for (int i = 1; i <= 20; ++i) {
        g.Obj.Planes[i].Active = True;
        g.Obj.Planes[i].IsBoss = True;
        g.Obj.Planes[i].TypeId = 5;
    }
    g.Obj.Planes[7].IsBoss = False;
    g.Obj.Planes[12].IsBoss = False;
    g.Obj.Planes[20].IsBoss = False;  // slot 20 is never taken
    p.Link = 0;
    EjectPilot(g);
    EXPECT_EQ(g.Obj.Planes[12].TypeId, 55);
    EXPECT_EQ(g.Obj.Planes[20].TypeId, 5);

    for (int i = 1; i <= 20; ++i) g.Obj.Planes[i].IsBoss = True;
    p.Link = 0;
    EjectPilot(g);
    EXPECT_EQ(g.Obj.Planes[1].TypeId, 55);
}

TEST_F(Pickups, CatchesDuringTheFrozenPhaseCountTowardItsEnd) {
    g.Ice.FrozenTimer = 200;
    g.Ice.FrozenCount = 3;
    ApplyPickup(g, 58);
    EXPECT_EQ(g.Ice.FrozenCount, 2);
    EXPECT_EQ(g.Ice.FrozenTimer, 200);
    // The pilot with a saved weapon counts twice (its nested pickup too).
    g.Controls.SavedWeapon = 4;
    ApplyPickup(g, 55);
    EXPECT_EQ(g.Ice.FrozenCount, 0);
    EXPECT_EQ(g.Ice.FrozenTimer, 30);
    // Outside the frozen phase nothing is counted.
    g.Ice.FrozenTimer = 0;
    g.Ice.FrozenCount = 5;
    ApplyPickup(g, 58);
    EXPECT_EQ(g.Ice.FrozenCount, 5);
}

}  // namespace
}  // namespace gorb::test
