// The player's guns, the carried special items and the dive of the loop-dive item.
#include "world/PlayerInput.h"
#include "world/World.h"

namespace gorb {

namespace {

const BulletType& Weapon(const Game& g, Integer type) { return g.Types.BulletTypes.at(type); }

// A muzzle flash at a gun and the gun's bullet; speedY 0 keeps the bullet's own.
void FireFromMuzzle(Game& g, Integer weapon, Integer gunY, Integer speedY, bool flash) {
    PlaneRecord& p = g.Player();
    if (flash) SpawnEffect(g, p.X, p.Y, ToInteger(p.Width - 4), gunY, effect::Flash);
    FireBullet(g, True, weapon, p.X, p.Y, p.GunX[1], gunY, 0, speedY);
}

}  // namespace

void UpdatePlayerWeapons(Game& g) {
    PlaneRecord& p = g.Player();
    const PlayerControls& c = g.Controls;
    bool fire = false;
    bool item = false;
    bool eject = false;
    if (g.Flags.JoystickMode == True) {
        fire = c.JoystickFire == True;
        item = c.JoystickBomb == True;
        eject = c.JoystickEject == True;
    } else {
        g.Media->ReadKeyboardState(g);
        fire = KeyDown(g, key::Fire);
        item = KeyDown(g, key::Item);
        eject = KeyDown(g, key::Eject);
    }

    if (p.Dying == False) {
        // The cooldown counts the pixels the last shot has flown.
        if (p.GunCooldown > 0) p.GunCooldown = ToInteger(p.GunCooldown - Weapon(g, p.GunBullet[1]).XSpeed);
        if (p.ItemCooldown > 0) p.ItemCooldown = ToInteger(p.ItemCooldown - 1);
        if (fire && p.GunCooldown <= 0) FirePlayerGuns(g);
        if (item && p.ItemCooldown <= 0) UsePlayerItem(g);
    }
    // The pilot may bail out of a falling plane too; EjectPilot decides.
    if (eject) EjectPilot(g);
}

void FirePlayerGuns(Game& g) {
    PlaneRecord& p = g.Player();
    const Integer weapon = p.GunBullet[1];
    const bool flash = g.Flags.EffectsOn == True;
    if (p.PlayerGunCount == 1) {
        FireFromMuzzle(g, weapon, ToInteger(IntDiv(p.Height, 2)), 0, flash);
    } else {
        const Integer g1 = p.PlayerGunY1.at(p.Frame);
        const Integer g2 = p.PlayerGunY2.at(p.Frame);
        FireFromMuzzle(g, weapon, g1, 0, flash);
        FireFromMuzzle(g, weapon, g2, 0, flash);
        if (weapon == bullet_type::Spread || weapon == bullet_type::HeavySpread) {
            // The spread weapons add a climbing pair to the sinking one.
            const Integer up = ToInteger(-Weapon(g, bullet_type::Spread).YSpeed);
            FireFromMuzzle(g, weapon, g1, up, false);
            FireFromMuzzle(g, weapon, g2, up, false);
        }
    }
    p.GunCooldown = ToInteger(Weapon(g, weapon).XSpeed * p.FireChance[1]);
}

void UsePlayerItem(Game& g) {
    PlaneRecord& p = g.Player();
    PlayerControls& c = g.Controls;
    if (g.Run.LevelComplete == True || c.ItemCount < 1) return;
    SoundRequests& sounds = g.Sounds;
    switch (c.Items.at(c.ItemCount)) {
        case item::FireballColumn: {
            // A column of fireballs down the whole play area from the plane's centre line.
            // A zero-height fireball in the tables would never advance the column: one step
            // is then a pixel.
            Integer h = Weapon(g, bullet_type::Fireball).Height;
            if (h < 1) h = 1;
            const Integer x = ToInteger(p.X + IntI(p.Width / 2.0));
            for (int i = 0; i <= 350; i += h)
                FireBullet(g, True, bullet_type::Fireball, x, ToInteger(h / 2 + i), 0, 0, 0, 0);
            sounds.Request(snd::FireballColumn);
            break;
        }
        case item::IceBomb:
            FireBullet(g, True, bullet_type::IceBomb, ToInteger(p.X + IntDiv(p.Width, 2)), ToInteger(p.Y + 20), 0, 0,
                       0, 0);
            sounds.Request(snd::IceBomb);
            break;
        case item::LoopDive:
            c.ManoeuvreCounter = 31;
            c.ManoeuvreStep = ToInteger(IntDiv(p.X + p.Width + 20, 10));
            p.Invulnerable = True;
            sounds.Request(snd::LoopDive);
            break;
        case item::Rain:
            c.RainTimer = 17;
            sounds.Request(snd::BulletRain);
            sounds.Request(snd::Blast);
            break;
        case item::AxeSpray:
            c.SprayTimer = 25;
            sounds.Request(snd::AxeSpray);
            break;
        default:
            break;  // an unknown kind is used up without effect
    }
    c.Items.at(c.ItemCount) = 0;
    c.ItemCount = ToInteger(c.ItemCount - 1);
    p.ItemCooldown = 50;
    // Nothing left that an eject could save.
    if (c.ItemCount == 0 && p.GunBullet[1] == bullet_type::BasicGun) p.Link = 1;
}

void PlayerDiveAttack(Game& g) {
    PlaneRecord& p = g.Player();
    NextSpinFrame(p);
    p.Y = ToInteger(p.Y + 10);
    if (p.Frame % 2 == 0) {
        for (Integer gunY : {p.PlayerGunY1.at(p.Frame), p.PlayerGunY2.at(p.Frame)}) {
            SpawnEffect(g, p.X, p.Y, p.GunX[1], gunY, effect::Flash);
            FireBullet(g, True, bullet_type::DiveShot, p.X, p.Y, p.GunX[1], gunY, 0, 0);
        }
    }
    if (p.Y > 360) {
        // Through the bottom edge: come back in from the left.
        p.Y = 150;
        p.X = ToInteger(-p.Width);
        g.Controls.ManoeuvreCounter = 19;
    }
}

}  // namespace gorb
