// The Zorbels and every other object of slots 1 to 20: falling, paths, animation, the type
// rules, leaving the area with the mission-target accounting, and drawing.
#include <cstdlib>

#include "world/TableIndex.h"
#include "world/World.h"

namespace gorb {

namespace {

void Fall(Game& g, int i) {
    PlaneRecord& r = g.Obj.Planes[i];
    r.FallSpeed += 0.1;
    if (r.FallDrift < 3) r.FallDrift = ToInteger(IntI(r.FallSpeed / 2) + r.FallDrift);
    if (r.FallDrift > 3) r.FallDrift = ToInteger(r.FallDrift - IntI(r.FallSpeed / 2));
    r.X = ToInteger(r.X - r.FallDrift);

    if (r.TypeId == plane_type::BossStage3 && g.Flags.EffectsOn == True) {
        // A slow, burning fall with an explosion now and then.
        r.Y = CInt(r.Y + r.FallSpeed);
        const int roll = RandomBelow(g, 20);
        if (roll < 2) {
            const Integer w = ToInteger(2 * IntI(Rnd(g) * r.Width) + 1);
            const Integer h = ToInteger(2 * IntI(Rnd(g) * r.Height) + 1);
            SpawnEffect(g, r.X, r.Y, w, h, effect::Explosion);
            g.Sounds.Request(snd::Blast);
        }
    } else {
        r.Y = CInt(r.Y + 10 * r.FallSpeed);
    }

    if (r.InSpecialAnim == True) {
        // Killed during a special animation: it follows the death path KillObject gave it.
        r.PathStep = ToInteger(r.PathStep + 1);
        if (PathAt(g, r.PathStep, path_row::DX, r.PathId) == 99) r.PathStep = 1;
        r.AnimId = PathAt(g, r.PathStep, path_row::Anim, r.PathId);
        r.Frame = AnimAt(r, r.AnimId, r.AnimStep);
    } else {
        const int k = static_cast<int>(Int(1.3 * r.FallSpeed));
        r.Frame = k > 3 ? r.Anim[2][4] : ToInteger(r.Anim[2][1] + k);
    }

    if (g.Flags.EffectsOn == True && RandomBelow(g, 2) == 1 && r.TypeId != plane_type::Jumper) {
        SpawnEffect(g, r.X, r.Y, ToInteger(r.Width), ToInteger(r.Height), effect::Smoke);
    }
}

void FollowPath(Game& g, int i) {
    PlaneRecord& r = g.Obj.Planes[i];
    const IceState& ice = g.Ice;
    if (ice.FrozenTimer == 0) r.PathStep = ToInteger(r.PathStep + 1);
    if (ice.FreezeTimer >= 1 && ice.FreezeTimer != 9 && ice.FreezeTimer != 7 && ice.FreezeTimer != 4)
        r.PathStep = ToInteger(r.PathStep - 1);
    if (ice.ThawTimer >= 1 && ice.ThawTimer != 9 && ice.ThawTimer != 5 && ice.ThawTimer != 2)
        r.PathStep = ToInteger(r.PathStep - 1);
    if (PathAt(g, r.PathStep, path_row::DX, r.PathId) == 99) {
        const Integer chain = PathAt(g, r.PathStep, path_row::Anim, r.PathId);
        if (chain < 0) r.PathId = ToInteger(-chain);
        r.PathStep = 1;
    }
    // The step advances before it is read: a new object first moves by step 2.
    int dx = PathAt(g, r.PathStep, path_row::DX, r.PathId);
    int dy = PathAt(g, r.PathStep, path_row::DY, r.PathId);

    if (ice.ThawTimer >= 6) {
        dx /= 4, dy /= 4;
    } else if (ice.ThawTimer >= 3) {
        dx /= 3, dy /= 3;
    } else if (ice.ThawTimer >= 1) {
        dx /= 2, dy /= 2;
    }
    if (ice.FrozenTimer > 0) dx = 0, dy = 0;
    if (ice.FreezeTimer > 0) {
        if (ice.FreezeTimer >= 8) {
            dx /= 2, dy /= 2;
        } else if (ice.FreezeTimer >= 5) {
            dx /= 3, dy /= 3;
        } else {
            dx /= 4, dy /= 4;
        }
        SpawnEffect(g, r.X, r.Y, ToInteger(r.Width), ToInteger(r.Height), effect::Sparkle);
    }
    r.X = ToInteger(r.X - dx);
    r.Y = ToInteger(r.Y + dy);

    const Integer stepAnim = PathAt(g, r.PathStep, path_row::Anim, r.PathId);
    if (stepAnim == r.PrevAnimId) {
        if (ice.FrozenTimer == 0) r.AnimStep = ToInteger(r.AnimStep + 1);
        if (AnimAt(r, r.AnimId, r.AnimStep) == 99) r.AnimStep = 1;
    } else {
        r.AnimId = stepAnim;
        r.AnimStep = 1;
    }
    r.Frame = AnimAt(r, r.AnimId, r.AnimStep);
    r.PrevAnimId = r.AnimId;

    if (r.AnimId >= 7 && r.AnimId <= 21) {
        r.InSpecialAnim = True;
    } else {
        r.InSpecialAnim = False;
        ZorbelFire(g, ToInteger(i));
    }
}

Integer JumperX(Game& g, const PlaneRecord& r) {
    return CInt(624 - r.X - Int(332 * Rnd(g)));
}

void BigBossRule(Game& g, PlaneRecord& r) {
    const int roll = RandomBelow(g, 12) + 1;
    if (!g.Ice.Runs() && roll == 1) SpawnJumper(g, plane_type::Jumper, 137, 23, JumperX(g, r));
    if (g.Voice.BossShieldDown != True) {
        r.HitPoints = 4000;
        return;
    }
    const int r2 = RandomBelow(g, 20);
    if (r2 > 12) {
        const Integer w = ToInteger(IntI(Rnd(g) * r.Width) + 1);
        const Integer h = ToInteger(IntI(Rnd(g) * r.Height) + 1);
        SpawnEffect(g, r.X, r.Y, w, h, effect::Flash);
    }
    if (r2 < 2 && g.Flags.EffectsOn == True) {
        const Integer w = ToInteger(2 * IntI(Rnd(g) * r.Width) + 1);
        const Integer h = ToInteger(2 * IntI(Rnd(g) * r.Height) + 1);
        SpawnEffect(g, r.X, r.Y, w, h, effect::Explosion);
        g.Sounds.Request(snd::Blast);
    }
    if (r2 == 1) SpawnJumper(g, plane_type::Burster, 137, 23, JumperX(g, r));
}

void TypeRules(Game& g, int i) {
    PlaneRecord& r = g.Obj.Planes[i];
    const PlaneRecord& p = g.Player();
    switch (r.TypeId) {
        case plane_type::Level2Boss:
            r.GunCount = std::abs(r.Y - p.Y) >= 70 ? 1 : 2;
            break;
        case plane_type::Level5Boss:
            r.GunCount = (r.AnimId == 25 || r.AnimId == 29) ? 0 : 1;
            break;
        case plane_type::StuntPlane:
            r.HasPropeller = ToBoolean(r.AnimId <= 20);
            break;
        case plane_type::PairRear:
            r.GunCount = r.AnimId == 1 ? 1 : 0;
            break;
        case plane_type::JumperBoss:
            BigBossRule(g, r);
            break;
        case plane_type::ShieldPart:
            r.HitPoints = 4000;
            if (r.Y < 50) {
                r.Y = ToInteger(r.Y + 8);
                for (int k = 1; k <= kLastObjectSlot; ++k) {
                    PlaneRecord& o = g.Obj.Planes[k];
                    if (o.TypeId == plane_type::ShieldGenerator) o.Y = ToInteger(o.Y + 8);
                }
            }
            break;
        case plane_type::ShieldGenerator:
            if (r.X > 732) r.X = 731;  // it never leaves on the right
            break;
        case plane_type::BossStage1:
        case plane_type::BossStage3:
            r.GunCount = r.AnimId == 1 ? 3 : 2;
            break;
        case plane_type::BossStage2:
            r.GunCount = std::abs(r.Y - p.Y) >= 70 ? 1 : 2;
            r.FireChance[2] = std::abs(r.X - p.X) <= 300 ? 40 : 10;
            break;
        default:
            break;
    }
}

void MissedPickupVoice(Game& g, const PlaneRecord& r) {
    const PlaneRecord& p = g.Player();
    Voices& v = g.Voice;
    const Integer weapon = p.GunBullet[1];
    auto cue = [&](int sound) {
        g.Sounds.Request(sound);
        v.VoiceCooldown = 20;
    };
    switch (r.TypeId) {
        case plane_type::AxeSpray: case plane_type::Rain: case plane_type::FireballColumn:
        case plane_type::Pilot: case plane_type::LoopDive:
            g.Sounds.Request(snd::MissedPickupVoice);
            if (v.VoiceCooldown == 0) v.VoiceCooldown = 20;
            break;
        case plane_type::Speed:
            if (p.MaxSpeed < 10) cue(snd::MissedPickupVoice);
            break;
        case plane_type::SpreadWeapon:
            if ((weapon == bullet_type::BasicGun || weapon == bullet_type::Spread) && v.VoiceCooldown == 0)
                cue(snd::MissedPickupVoice);
            break;
        case plane_type::Energy:
            if (p.HitPoints < 50 && v.VoiceCooldown == 0) cue(snd::MissedPickupVoice);
            break;
        case plane_type::LaserWeapon:
            if ((weapon == bullet_type::BasicGun || weapon == bullet_type::Laser) && v.VoiceCooldown == 0)
                cue(snd::MissedPickupVoice);
            break;
        case plane_type::MissileWeapon:
            if ((weapon == bullet_type::BasicGun || weapon == bullet_type::Missile) && v.VoiceCooldown == 0)
                cue(snd::MissedPickupVoice);
            break;
        case plane_type::ExtraLife:
            if (v.VoiceCooldown == 0) cue(snd::MissedLifeVoice);
            break;
        default:
            break;
    }
}

void MissionTargetGone(Game& g) {
    LevelState& run = g.Run;
    PlaneRecord& p = g.Player();
    if (run.Level != 6) g.Sounds.Request(snd::BossCrash);
    Integer& left = g.Data.MissionTargets.at(run.Level);
    left = ToInteger(left - 1);
    if (left != 0) return;
    if (run.Level < 11 || run.Level == 13) {
        run.LevelComplete = True;
        g.Sounds.Request(snd::LevelDoneVoice);
        if (g.Controls.ManoeuvreCounter > 0) {
            g.Controls.ManoeuvreCounter = 0;
            p.Invulnerable = False;
            if (p.Y < -p.Height || p.X < -p.Width || p.Y > 320) {
                p.Y = 150;
                p.X = ToInteger(-p.Width);
            }
        }
    } else if (run.Level == 11 || run.Level == 12) {
        // The next stage of FINAL starts its own script in place.
        run.Level = ToInteger(run.Level + 1);
        run.LevelProgress = 0;
        run.ScriptTick = 0;
        run.ScriptEnded = 0;
    }
    if (p.MaxSpeed < 10) p.MaxSpeed = 10;
}

void LeaveIfOutside(Game& g, int i) {
    PlaneRecord& r = g.Obj.Planes[i];
    if (r.X >= -10 - r.Width && r.X <= 732 && r.Y >= -300 - r.Height && r.Y <= 430) return;
    r.Active = 0;
    if (r.Link > 0 && r.Link <= kLastObjectSlot) {
        g.Obj.Planes[r.Link].Link = 0;
        r.Link = 0;
    }
    if (r.TypeId >= plane_type::FirstPickup && r.Y > 430 && g.Run.GameOverCountdown == 0) MissedPickupVoice(g, r);
    if (r.IsBoss == True) MissionTargetGone(g);

    const Integer level = g.Run.Level;
    if ((level == 6 || level == 13) && g.Data.MissionTargets.at(level) == 0) {
        // The hull parts go with the last target, also from slots already freed.
        for (int k = 1; k <= kLastObjectSlot; ++k) {
            const PlaneRecord& o = g.Obj.Planes[k];
            if (o.TypeId >= plane_type::HullFirst && o.TypeId <= plane_type::HullLast && o.Dying == False) KillObject(g, ToInteger(k));
        }
    }
}

void DrawObject(Game& g, int i) {
    PlaneRecord& r = g.Obj.Planes[i];
    if (r.Frame == 0) r.Frame = 1;
    if (r.TypeId == plane_type::None) r.TypeId = 1;
    r.SrcY = ToInteger((r.Frame - 1) * r.Height);
    g.SrcRect = {r.SrcX, r.SrcY, r.SrcX + r.Width, r.SrcY + r.Height};
    g.DestRect = {r.X, r.Y, r.X + r.Width, r.Y + r.Height};
    const int sheet = r.Sheet >= 0 && r.Sheet <= 63 ? r.Sheet : 0;
    g.Media->BlitToBackBuffer(sheet, g.SrcRect, g.DestRect, g.Sheets.VorpexSheetWidths[sheet],
                              g.Sheets.VorpexSheetHeights[sheet], "Vorpex GFX");
    if (r.HasPropeller == True && r.InSpecialAnim == 0 && r.Dying == 0) {
        const Long px = 200 + 2 * g.Ice.PropellerPhase;
        g.SrcRect = {px, 0, px + 2, 22};
        g.DestRect = {r.X + r.PropX, r.Y + r.PropY, r.X + r.PropX + 2, r.Y + r.PropY + 22};
        g.Media->BlitToBackBuffer(surf::Misc, g.SrcRect, g.DestRect, g.Sheets.MiscSheetWidth,
                                  g.Sheets.MiscSheetHeight, "Propeller");
    }
}

}  // namespace

void UpdateZorbels(Game& g) {
    if (g.Ice.FrozenTimer == 0) {
        g.Ice.PropellerPhase = ToInteger(g.Ice.PropellerPhase + 1);
        if (g.Ice.PropellerPhase > 6) g.Ice.PropellerPhase = 0;
    }
    UpdateIceTimers(g);
    for (int i = 1; i <= kLastObjectSlot; ++i) {
        if (g.Obj.Planes[i].Active != True) continue;
        if (g.Obj.Planes[i].Dying == True) {
            Fall(g, i);
        } else {
            FollowPath(g, i);
            TypeRules(g, i);
        }
        LeaveIfOutside(g, i);
        DrawObject(g, i);
    }
}

void UpdateIceTimers(Game& g) {
    IceState& ice = g.Ice;
    if (ice.ThawTimer > 0) ice.ThawTimer = ToInteger(ice.ThawTimer - 1);
    if (ice.FrozenTimer > 0) {
        ice.FrozenTimer = ToInteger(ice.FrozenTimer - 1);
        if (ice.FrozenTimer == 0) {
            ice.ThawTimer = 10;
            g.Sounds.Request(snd::Thaw);
        }
    }
    if (ice.FreezeTimer > 0) {
        ice.FreezeTimer = ToInteger(ice.FreezeTimer - 1);
        if (ice.FreezeTimer == 0) {
            ice.FrozenTimer = 300;
            ice.FrozenCount = 0;
            for (int i = 1; i <= kLastObjectSlot; ++i) {
                PlaneRecord& r = g.Obj.Planes[i];
                const bool onScreen = r.Active == True && r.Dying == False && -r.Width < r.X &&
                                      r.X < 605 && -r.Height < r.Y && r.Y < 328;
                if (!onScreen) continue;
                ice.FrozenCount = ToInteger(ice.FrozenCount + 1);
                if (r.IsBoss != True && r.TypeId != plane_type::LevelStart) r.HitPoints = 5;
            }
        }
    }
}

}  // namespace gorb
