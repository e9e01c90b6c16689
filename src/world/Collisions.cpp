// The game rules of touching: the player's plane ramming objects and collecting pickups, and
// each bullet's hits on its targets.
#include "world/World.h"

namespace gorb {

namespace {

// The player's energy never sinks below -30000: against the strongest objects the loss repeats
// on every frame of contact, and a 16-bit value must not wrap to a large positive one.
void DrainPlayer(PlaneRecord& p, long long amount) {
    p.HitPoints = ToInteger(Clamp(p.HitPoints - amount, -30000, 32767));
}

// The enemy bullet's hit sound, and the slowing shot's effect on the player's top speed.
void EnemyHitSound(Game& g, const BulletType& b) {
    PlaneRecord& p = g.Player();
    switch (b.TypeId) {
        case bullet_type::Zap: g.Sounds.Request(snd::ZapHit); break;
        case bullet_type::FallingBomb: g.Sounds.Request(snd::BombHit); break;
        case bullet_type::Splash: g.Sounds.Request(snd::SplashHit); break;
        case bullet_type::Slime:
            g.Sounds.Request(snd::SlimeHit);
            if (p.MaxSpeed > 4) {
                p.MaxSpeed = ToInteger(p.MaxSpeed - 2);
                p.SpeedX = p.MaxSpeed;
                p.SpeedY = p.MaxSpeed;
            }
            break;
        default: g.Sounds.Request(RandomBelow(g, 3) + snd::EnemyShotHit1); break;
    }
}

}  // namespace

void CheckPlayerCollisions(Game& g) {
    PlaneRecord& p = g.Player();
    const Integer cx = ToInteger(p.Width / 2 + p.X);
    const Integer cy = ToInteger(p.Height / 2 + p.Y);
    for (int i = 1; i <= kLastObjectSlot; ++i) {
        Boolean hit = False;
        SpriteCollision(g, collide::PlayerPlane, ToInteger(i), cx, cy, p.X, p.Y, p.Width, p.Height,
                        p.SrcX, p.SrcY, hit, g.Flags.CollisionStep);
        if (hit != True) continue;
        PlaneRecord& o = g.Obj.Planes[i];

        if (o.TypeId >= plane_type::FirstPickup) {
            // A pickup is collected whenever it is touched, also by a plane flying in or down.
            if (o.Link > 0 && o.Link <= kLastObjectSlot) g.Obj.Planes[o.Link].Link = 0;
            if (o.Link > 0) o.Link = 0;
            o.Active = 0;
            ApplyPickup(g, o.TypeId);
            continue;
        }

        if (p.Active != True || g.Run.LevelComplete == True || p.Invulnerable != 0) continue;
        const bool harmless = o.TypeId == plane_type::Jumper;
        const bool hurts = !g.Ice.Runs() || o.IsBoss != 0;  // a frozen enemy does not hurt
        const bool first = o.HasCollided == 0;

        const long long dmg = harmless ? 0 : (o.HitPoints < 80 ? 80 : o.HitPoints);
        if (hurts) {
            DrainPlayer(p, dmg);  // on every frame of contact
            if (first && !harmless) PlayHurtVoice(g, False);
        }
        if (first) {
            o.HitPoints = ToInteger(o.HitPoints - 100);
            if (hurts && !harmless) SpawnEffect(g, p.X, p.Y, ToInteger(p.Width), ToInteger(p.Height), effect::Explosion);
            if (o.HitPoints < 1) KillObject(g, ToInteger(i));
        }
        if (p.HitPoints <= 0 && g.Run.LevelComplete != True) {
            KillPlayer(g);
            if (first) p.FallSpeed = 0;
        }
        if (first && !harmless && hurts) g.Sounds.Request(RandomBelow(g, 2) + snd::Ram1);
        o.HasCollided = True;
    }
}

void CheckBulletHits(Game& g, Integer slot, Boolean fromPlayer) {
    BulletType& b = g.Obj.Bullets.at(static_cast<size_t>(slot));
    const bool players = fromPlayer == True;
    const int firstTarget = players ? 1 : 0;
    const int lastTarget = players ? kLastObjectSlot : 0;
    const Integer kind = players ? collide::PlayerBullet : collide::EnemyBullet;
    const Integer cx = ToInteger(b.Width / 2 + b.X);
    const Integer cy = ToInteger(b.Height / 2 + b.Y);
    // The large item bullets are sampled on the coarser grid of the collision option.
    const bool large = b.TypeId == bullet_type::Fireball || b.TypeId == bullet_type::Rain1 ||
                       b.TypeId == bullet_type::Rain2;
    const Integer step = large ? g.Flags.CollisionStep : Integer{2};

    for (int i = firstTarget; i <= lastTarget; ++i) {
        Boolean hit = False;
        SpriteCollision(g, kind, ToInteger(i), cx, cy, b.X, b.Y, b.Width, b.Height, b.SrcX, b.SrcY,
                        hit, step);
        PlaneRecord& t = g.Obj.Planes[i];
        // Pickups are never hit, nor objects still right of the play area.
        if (hit != True || t.TypeId >= plane_type::FirstPickup || t.X >= 612) continue;

        if (players) {
            g.Sounds.Request(RandomBelow(g, 2) + snd::PlayerShotHit1);
        } else {
            EnemyHitSound(g, b);
            // Three hits in quick succession make the pilot scream.
            Integer& meter = g.Voice.HurtVoiceMeter;
            if (meter < 40) {
                meter = ToInteger(meter + 14);
                if (meter > 40) {
                    meter = 0;
                    PlayHurtVoice(g, True);
                }
            }
        }
        // A used-up bullet still hits whatever else it overlaps in this frame.
        if (b.Piercing != True) b.Active = 0;
        if (g.Flags.EffectsOn == True) SpawnEffect(g, b.X, b.Y, b.Width, b.Height, effect::Smoke);
        if (t.Invulnerable == 0) {
            if (i == 0) {
                DrainPlayer(t, b.Damage);
            } else {
                t.HitPoints = ToInteger(t.HitPoints - b.Damage);
            }
        }
        if (t.HitPoints < 1) {
            if (players) {
                KillObject(g, ToInteger(i));
            } else if (g.Run.LevelComplete != True) {
                KillPlayer(g);
                g.Player().FallSpeed = 0;
            }
        }
        if (b.TypeId == bullet_type::IceBomb) {
            StartSlowdown(g);
            SpawnEffect(g, ToInteger(b.X - 40), ToInteger(b.Y - 40), 0, 0, effect::IceBurst);
        }
    }
}

}  // namespace gorb
