// Bullets and enemy fire: every shot of the game, its flight rules, the timed bullet rain and
// axe spray of the player's items, and the enemies' guns.
#include <algorithm>
#include <cstdlib>

#include "world/World.h"

namespace gorb {

namespace {

// The flight rule of a few bullet types, after the bullet has been drawn.
void FlightRule(Game& g, BulletType& b) {
    switch (b.TypeId) {
        case bullet_type::Fireball:  // a trail of drifting puffs
            if (RandomBelow(g, 2) + 1 == 1) {
                SpawnEffect(g, b.X, b.Y, 20, IntI(Rnd(g) * b.Height), effect::DriftingSmoke);
            }
            break;
        case bullet_type::IceBomb:  // slows down, its picture cut from the left as it shrinks
            b.XSpeed = ToInteger(b.XSpeed - 1);
            b.Width = ToInteger(b.Width - 1);
            b.SrcX = ToInteger(b.SrcX + 1);
            if (b.XSpeed < 0) {
                b.Active = 0;
                StartSlowdown(g);
                SpawnEffect(g, ToInteger(b.X - 40), ToInteger(b.Y - 40), 0, 0, effect::IceBurst);
            }
            break;
        case bullet_type::FallingBomb: {  // its picture changes with its height
            b.YSpeed = ToInteger(b.YSpeed + 1);
            const long long column = std::min<long long>(IntDiv(b.Y, 40), 3);
            b.SrcX = ToInteger(g.Types.BulletTypes[bullet_type::FallingBomb].SrcX + 25 * column);
            break;
        }
        case bullet_type::Beam:  // grows
            if (b.Width < 110) b.Width = ToInteger(b.Width + 20);
            break;
        default:
            break;
    }
}

}  // namespace

void FireBullet(Game& g, Boolean fromPlayer, Integer bulletType, double x, double y, double offX,
                double offY, double speedX, double speedY) {
    if (bulletType < 0 || bulletType > 40) return;  // no such template
    const int first = fromPlayer == True ? 1 : kFirstEnemyBulletSlot;
    const int last = fromPlayer == True ? kLastPlayerBulletSlot : kLastBulletSlot;
    int k = first;
    while (k <= last && g.Obj.Bullets[k].Active != 0) ++k;
    if (k > last) return;  // the range is full: the shot is dropped, silently

    BulletType& b = g.Obj.Bullets[k];
    b = g.Types.BulletTypes[bulletType];
    b.Active = True;
    b.X = CInt(x + offX);
    b.Y = CInt(y + offY - static_cast<double>(IntDiv(b.Height, 2)));  // centred on the muzzle
    if (speedX != 0) b.XSpeed = CInt(speedX);
    if (speedY != 0) b.YSpeed = CInt(speedY);
    g.Sounds.RequestFromTable(b.FireSound);
}

void UpdateBullets(Game& g) {
    PlayerControls& c = g.Controls;

    // Bullet rain: a row of eleven falling bullets every fourth frame.
    if (c.RainTimer > 0) {
        c.RainTimer = ToInteger(c.RainTimer - 1);
        if (c.RainTimer % 4 == 0) {
            for (int x = 60; x <= 660; x += 60) {
                FireBullet(g, True, ToInteger(RandomBelow(g, 2) + bullet_type::Rain1), x, -40, 0, 0, 0, 0);
            }
        }
    }

    // Axe spray: one axe a frame from the nose of the player's plane.
    if (c.SprayTimer > 0) {
        g.Types.BulletTypes[bullet_type::Axe].Frame = ToInteger(RandomBelow(g, 5));
        const PlaneRecord& p = g.Player();
        const int speedX = RandomBelow(g, 5) + 15;
        const int speedY = RandomBelow(g, 5) - 2;
        FireBullet(g, True, bullet_type::Axe, p.X, p.Y, static_cast<double>(p.Width - 15),
                   static_cast<double>(IntDiv(p.Height, 2)), speedX, speedY);
        c.SprayTimer = ToInteger(c.SprayTimer - 1);
    }

    for (int k = 1; k <= kLastBulletSlot; ++k) {
        BulletType& b = g.Obj.Bullets[k];
        if (b.Active != True) continue;
        b.X = ToInteger(b.X + b.XSpeed);
        b.Y = ToInteger(b.Y + b.YSpeed);
        b.Frame = ToInteger(b.Frame + 1);
        if (b.Frame > b.FrameCount) b.Frame = 1;
        b.SrcY = ToInteger((b.Frame - 1) * b.Height + b.SrcYBase);

        g.SrcRect = {b.SrcX, b.SrcY, b.SrcX + b.Width, b.SrcY + b.Height};
        g.DestRect = {b.X, b.Y, b.X + b.Width, b.Y + b.Height};
        g.Media->BlitToBackBuffer(surf::Bullet, g.SrcRect, g.DestRect, g.Sheets.BulletSheetWidth,
                                  g.Sheets.BulletSheetHeight, "Bullet GFX");

        FlightRule(g, b);

        // Enemy shots fly through an invulnerable player untested. An ice bomb that stopped
        // just now is still tested.
        const bool enemy = k >= kFirstEnemyBulletSlot;
        if (!(enemy && g.Player().Invulnerable != 0)) {
            CheckBulletHits(g, ToInteger(k), ToBoolean(!enemy));
        }

        const bool inside = b.X >= -5 - b.Width && b.X <= 617 && b.Y >= -5 - b.Height &&
                            b.Y <= 335;
        if (!inside) {
            b.Active = 0;
            if (b.TypeId == bullet_type::IceBomb) StartSlowdown(g);  // one that flew off still freezes
        }
    }
}

void ZorbelFire(Game& g, Integer slot) {
    PlaneRecord& p = g.Obj.Planes.at(static_cast<size_t>(slot));
    const int n = std::clamp<int>(p.GunCount, 0, 3);
    for (int gun = 1; gun <= n; ++gun) {
        const int roll = IntI(p.FireChance[gun] * Rnd(g));
        if (!(roll == 1 && p.X < 600)) continue;

        // The gun that fires is drawn afresh: one gun's roll may fire another.
        const int k = std::clamp<int>(IntI(p.GunCount * Rnd(g)) + 1, 1, 3);
        const Integer type = p.GunBullet[k];
        double speedX = 0, speedY = 0;
        if (p.GunAimed[k] == True) {
            const PlaneRecord& pl = g.Player();
            const long mx = p.X + p.GunX[k], my = p.Y + p.GunY[k];
            const long ax = pl.X + 40, ay = pl.Y + 30;
            long ddx = std::labs(mx - ax), ddy = std::labs(my - ay);
            if (ddx == 0) ddx = 1;
            if (ddy == 0) ddy = 1;
            const double s = type >= 0 && type <= 40 ? g.Types.BulletTypes[type].XSpeed : 0;
            // The longer axis gets the full speed, the other its share, rounded down.
            if (ddx > ddy) {
                speedX = s;
                speedY = Int(static_cast<double>(ddy) / static_cast<double>(ddx) * s);
            } else {
                speedY = s;
                speedX = Int(static_cast<double>(ddx) / static_cast<double>(ddy) * s);
            }
            if (ax > mx) speedX = -speedX;
            if (ay > my) speedY = -speedY;
        }

        if (g.Ice.Runs()) continue;
        // A gun without bullet data (type 0, as on the converted boss part) fires nothing: an
        // empty shot would never move or leave and would fill the enemy slots for the level.
        if (type == 0) continue;
        FireBullet(g, False, type, p.X, p.Y, p.GunX[k], p.GunY[k], speedX, speedY);
        if (g.Flags.EffectsOn == True) SpawnEffect(g, p.X, p.Y, p.GunX[k], p.GunY[k], effect::Flash);
        if (p.TypeId == plane_type::TurnAfterShot) {
            // After each shot it turns away, with its partner.
            p.PathId = 38;
            p.PathStep = 1;
            if (p.Link > 0 && p.Link <= kLastObjectSlot) {
                PlaneRecord& l = g.Obj.Planes[static_cast<size_t>(p.Link)];
                l.PathId = 38;
                l.PathStep = 1;
            }
        }
    }
}

}  // namespace gorb
