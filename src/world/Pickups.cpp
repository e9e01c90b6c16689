// Pickups caught by the player's plane, and the pilot's eject: the pilot leaves as a pickup
// that carries the weapon and the items, and catching it gives them back.
#include "world/TableIndex.h"
#include "world/World.h"

namespace gorb {

namespace {

// The pilot's slot is searched among these; slot 20 is never looked at.
constexpr int kLastPilotSlot = 19;

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
    if (c.ItemCount >= kItemSlots) return false;
    c.ItemCount = ToInteger(c.ItemCount + 1);
    c.Items.at(c.ItemCount) = kind;
    return true;
}

void ItemPickup(Game& g, Integer kind) {
    g.Player().Link = 0;
    if (PushItem(g, kind)) g.Sounds.Request(snd::ItemPickup);
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
            g.Sounds.Request(snd::UpgradeVoice);
            g.Voice.VoiceCooldown = 20;
        }
    } else if (weapon != b) {
        SetWeapon(g, a);
    }
    p.GunX[1] = ToInteger(p.Width - g.Types.BulletTypes.at(a).Width);
    g.Sounds.Request(snd::WeaponPickup);
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
    g.Sounds.Request(snd::SpeedPickup);
}

void PilotPickup(Game& g) {
    PlaneRecord& p = g.Player();
    PlayerControls& c = g.Controls;
    p.Link = 0;
    // The family step from the lower member gives the upper one.
    switch (c.SavedWeapon) {
        case bullet_type::Missile: ApplyPickup(g, plane_type::MissileWeapon); break;
        case bullet_type::TwinMissile:
            p.GunBullet[1] = bullet_type::Missile;
            ApplyPickup(g, plane_type::MissileWeapon);
            break;
        case bullet_type::Spread: ApplyPickup(g, plane_type::SpreadWeapon); break;
        case bullet_type::HeavySpread:
            p.GunBullet[1] = bullet_type::Spread;
            ApplyPickup(g, plane_type::SpreadWeapon);
            break;
        case bullet_type::Laser: ApplyPickup(g, plane_type::LaserWeapon); break;
        case bullet_type::FastLaser:
            p.GunBullet[1] = bullet_type::Laser;
            ApplyPickup(g, plane_type::LaserWeapon);
            break;
        default: break;
    }
    p.PlayerGunCount = g.Types.BulletTypes.at(p.GunBullet[1]).PlayerGuns;
    const Integer saved = ToInteger(Clamp(c.SavedItemCount, 0, kItemSlots));
    for (int i = 1; i <= saved; ++i) PushItem(g, c.SavedItems[i]);
    g.Sounds.Request(snd::WeaponPickup);
    g.Sounds[snd::UpgradeVoice] = False;  // the pilot's return speaks for itself
}

// The slot the pilot takes: the first free one of 1..19; with none free, the highest that
// holds no boss, or slot 1 when all of them do.
int PilotSlot(const Game& g) {
    int fallback = 1;
    for (int i = 1; i <= kLastPilotSlot; ++i) {
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
        case plane_type::AxeSpray: ItemPickup(g, item::AxeSpray); break;
        case plane_type::Rain: ItemPickup(g, item::Rain); break;
        case plane_type::FireballColumn: ItemPickup(g, item::FireballColumn); break;
        case plane_type::Pilot: PilotPickup(g); break;
        case plane_type::Speed: SpeedPickup(g); break;
        case plane_type::SpreadWeapon: FamilyStep(g, bullet_type::Spread, bullet_type::HeavySpread); break;
        case plane_type::Energy:
            p.HitPoints = ToInteger(Clamp(p.HitPoints + 100, INT16_MIN, 100));
            g.Sounds.Request(snd::EnergyPickup);
            break;
        case plane_type::LaserWeapon: FamilyStep(g, bullet_type::Laser, bullet_type::FastLaser); break;
        case plane_type::MissileWeapon: FamilyStep(g, bullet_type::Missile, bullet_type::TwinMissile); break;
        case plane_type::LoopDive: ItemPickup(g, item::LoopDive); break;
        case plane_type::ExtraLife:
            // Lives have no limit but the field's own.
            if (p.Lives < INT16_MAX) p.Lives = ToInteger(p.Lives + 1);
            g.Sounds.Request(snd::ExtraLife);
            break;
        case plane_type::IceBomb: ItemPickup(g, item::IceBomb); break;
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
    pilot = g.Types.PlaneTypes[plane_type::Pilot];
    pilot.Active = True;
    pilot.Dying = False;
    const IceState& ice = g.Ice;
    const bool icy = ice.FreezeTimer + ice.FrozenTimer + ice.ThawTimer > 0;
    pilot.Y = ToInteger(p.Y - (icy ? 25 : 15));
    pilot.X = ToInteger(p.X + 20);
    pilot.PathId = 15;
    pilot.PathStep = 1;
    pilot.AnimStep = 1;
    pilot.AnimId = PathAt(g, 1, path_row::Anim, 15);

    c.SavedWeapon = p.GunBullet[1];
    c.SavedItemCount = c.ItemCount;
    for (int i = 1; i <= kItemSlots; ++i) {
        c.SavedItems[i] = c.Items[i];
        c.Items[i] = 0;
    }
    c.ItemCount = 0;

    SetWeapon(g, bullet_type::BasicGun);
    p.GunX[1] = ToInteger(p.Width - g.Types.BulletTypes[bullet_type::BasicGun].Width);
    g.Sounds.Request(snd::Eject);
}

}  // namespace gorb
