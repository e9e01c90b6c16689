// Pickups caught by the player's plane, and the pilot's eject: the pilot leaves as a pickup
// that carries the weapon and the items, and catching it gives them back.
#include "world/TableIndex.h"
#include "world/World.h"

namespace gorb {

namespace {

constexpr Integer kPilotType = 55;
constexpr Integer kMaxItems = 10;

void SetWeapon(Game& g, Integer weapon) {
    PlaneRecord& p = g.Player();
    const BulletType& t = g.Types.BulletTypes.at(weapon);
    p.GunBullet[1] = weapon;
    p.FireChance[1] = t.FireRate;
    p.PlayerGunCount = t.PlayerGuns;
}

// A full row takes nothing; the caller's lock is cleared all the same.
bool PushItem(Game& g, Integer kind) {
    PlayerControls& c = g.Controls;
    if (c.ItemCount >= kMaxItems) return false;
    c.ItemCount = ToInteger(c.ItemCount + 1);
    c.Items.at(c.ItemCount) = kind;
    return true;
}

void ItemPickup(Game& g, Integer kind) {
    g.Player().Link = 0;
    if (PushItem(g, kind)) g.Sounds.Request(42);
}

// The lower member a of a family comes first; a second catch gives the upper member b, which
// a further catch keeps. A weapon of another family drops back to a.
void FamilyStep(Game& g, Integer a, Integer b) {
    PlaneRecord& p = g.Player();
    p.Link = 0;
    const Integer weapon = p.GunBullet[1];
    if (weapon == a) {
        SetWeapon(g, b);
        if (g.Voice.VoiceCooldown == 0) {
            g.Sounds.Request(64);
            g.Voice.VoiceCooldown = 20;
        }
    } else if (weapon != b) {
        SetWeapon(g, a);
    }
    p.GunX[1] = ToInteger(p.Width - g.Types.BulletTypes.at(a).Width);
    g.Sounds.Request(41);
}

void SpeedPickup(Game& g) {
    PlaneRecord& p = g.Player();
    if (p.MaxSpeed < 14) {
        p.MaxSpeed = p.MaxSpeed < 10 ? Integer{10} : ToInteger(p.MaxSpeed + 2);
        const Integer m = p.MaxSpeed;
        // Only a plane moving right or down at the old top speed, or at half of it, speeds up.
        for (Integer* speed : {&p.SpeedX, &p.SpeedY}) {
            if (*speed == m - 2) {
                *speed = m;
            } else if (*speed == IntDiv(m - 2, 2)) {
                *speed = ToInteger(IntDiv(m, 2));
            }
        }
    }
    g.Sounds.Request(45);
}

void PilotPickup(Game& g) {
    PlaneRecord& p = g.Player();
    PlayerControls& c = g.Controls;
    p.Link = 0;
    // The family step from the lower member gives the upper one.
    switch (c.SavedWeapon) {
        case 2: ApplyPickup(g, 60); break;
        case 3: p.GunBullet[1] = 2; ApplyPickup(g, 60); break;
        case 4: ApplyPickup(g, 57); break;
        case 6: p.GunBullet[1] = 4; ApplyPickup(g, 57); break;
        case 9: ApplyPickup(g, 59); break;
        case 10: p.GunBullet[1] = 9; ApplyPickup(g, 59); break;
        default: break;
    }
    p.PlayerGunCount = g.Types.BulletTypes.at(p.GunBullet[1]).PlayerGuns;
    const Integer saved = ToInteger(Clamp(c.SavedItemCount, 0, kMaxItems));
    for (int i = 1; i <= saved; ++i) PushItem(g, c.SavedItems[i]);
    g.Sounds.Request(41);
    g.Sounds[64] = False;  // the pilot's return speaks for itself
}

// The slot the pilot takes: the first free one of 1..19; with none free, the highest that
// holds no boss, or slot 1 when all of them do.
int PilotSlot(const Game& g) {
    int fallback = 1;
    for (int i = 1; i <= 19; ++i) {
        const PlaneRecord& r = g.Obj.Planes[i];
        if (r.Active == 0) return i;
        if (r.IsBoss == False) fallback = i;
    }
    return fallback;
}

}  // namespace

void ApplyPickup(Game& g, Integer kind) {
    PlaneRecord& p = g.Player();
    switch (kind) {
        case 52: ItemPickup(g, 5); break;
        case 53: ItemPickup(g, 4); break;
        case 54: ItemPickup(g, 1); break;
        case 55: PilotPickup(g); break;
        case 56: SpeedPickup(g); break;
        case 57: FamilyStep(g, 4, 6); break;
        case 58:
            p.HitPoints = ToInteger(Clamp(p.HitPoints + 100, INT16_MIN, 100));
            g.Sounds.Request(43);
            break;
        case 59: FamilyStep(g, 9, 10); break;
        case 60: FamilyStep(g, 2, 3); break;
        case 61: ItemPickup(g, 3); break;
        case 62:
            // Lives have no limit but the field's own.
            if (p.Lives < INT16_MAX) p.Lives = ToInteger(p.Lives + 1);
            g.Sounds.Request(44);
            break;
        case 63: ItemPickup(g, 2); break;
        default: break;
    }
    // Every catch during the frozen phase counts toward ending it early.
    IceState& ice = g.Ice;
    if (ice.FrozenTimer > 0) {
        ice.FrozenCount = ToInteger(ice.FrozenCount - 1);
        if (ice.FrozenCount == 0) ice.FrozenTimer = 30;
    }
}

void EjectPilot(Game& g) {
    PlaneRecord& p = g.Player();
    PlayerControls& c = g.Controls;
    if (p.Link != 0 || g.Run.LevelComplete == True || p.Y >= 430) return;

    const int slot = PilotSlot(g);
    p.Link = 1;
    PlaneRecord& pilot = g.Obj.Planes[slot];
    pilot = g.Types.PlaneTypes[kPilotType];
    pilot.Active = True;
    pilot.Dying = False;
    const IceState& ice = g.Ice;
    const bool icy = ice.FreezeTimer + ice.FrozenTimer + ice.ThawTimer > 0;
    pilot.Y = ToInteger(p.Y - (icy ? 25 : 15));
    pilot.X = ToInteger(p.X + 20);
    pilot.PathId = 15;
    pilot.PathStep = 1;
    pilot.AnimStep = 1;
    pilot.AnimId = PathAt(g, 1, 2, 15);

    c.SavedWeapon = p.GunBullet[1];
    c.SavedItemCount = c.ItemCount;
    for (int i = 1; i <= kMaxItems; ++i) {
        c.SavedItems[i] = c.Items[i];
        c.Items[i] = 0;
    }
    c.ItemCount = 0;

    SetWeapon(g, 1);
    p.GunX[1] = ToInteger(p.Width - g.Types.BulletTypes[1].Width);
    g.Sounds.Request(84);
}

}  // namespace gorb
