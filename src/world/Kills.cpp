// Damage, hurt voices and kills: the pilot's screams, the death of an object with the rule of
// its type, and the player's plane shot down.
#include "world/TableIndex.h"
#include "world/World.h"

namespace gorb {

namespace {

PlaneRecord* LinkedRecord(Game& g, Integer link) {
    return link > 0 && link <= kLastObjectSlot ? &g.Obj.Planes[static_cast<size_t>(link)] : nullptr;
}

// The first kill of either part of a two-part boss in a level: the front parts come back
// stronger and the rear parts turn into the stage-two boss.
void PartTakeover(Game& g) {
    Voices& v = g.Voice;
    if (v.PartTakeoverDone == True) return;
    if (g.Run.Level < 11) {
        g.Sounds.Request(snd::BossVoiceB);
        v.VoiceCooldown = 120;
    }
    v.PartTakeoverDone = True;
    bool firstFront = true;
    const PlaneRecord& stage = g.Types.PlaneTypes[plane_type::StageLook];
    // Every slot by its type alone, live or not, the dying record included.
    for (int k = 1; k <= kLastObjectSlot; ++k) {
        PlaneRecord& r = g.Obj.Planes[k];
        if (r.TypeId == plane_type::PairFront) {
            r.Dying = False;
            r.HitPoints = 1500;
            r.PathId = firstFront ? 127 : 128;
            firstFront = false;
            r.DeathSound = snd::PlaneFall;
            r.FireChance[1] = 30;
            r.GunCount = 2;
            r.PathStep = 1;
            r.AnimStep = 1;
            r.AnimId = PathAt(g, 1, path_row::Anim, 1);
        } else if (r.TypeId == plane_type::PairRear) {
            r.TypeId = plane_type::BossStage1;
            r.Sheet = 31;
            r.Dying = False;
            r.HitPoints = stage.HitPoints;
            r.SrcX = stage.SrcX;
            r.Width = stage.Width;
            r.Height = stage.Height;
            r.GunCount = stage.GunCount;
            r.PathId = 125;
            r.PathStep = 1;
            r.AnimStep = 1;
            r.AnimId = PathAt(g, 1, path_row::Anim, 1);
            r.Y = ToInteger(r.Y + 30);
        }
    }
    g.Sounds.Request(snd::Waver);
}

// A killed boss stage lets the next one, parked above the play area at parkedY, take its place.
void ReleaseNextStage(Game& g, const PlaneRecord& r, Integer parkedY, Integer dx, Integer dy) {
    for (int k = 1; k <= kLastObjectSlot; ++k) {
        PlaneRecord& n = g.Obj.Planes[k];
        if (n.Y != parkedY) continue;
        n.X = ToInteger(r.X + dx);
        n.Y = ToInteger(r.Y + dy);
        n.PathId = r.PathId;
        n.PathStep = r.PathStep;
        n.AnimStep = r.AnimStep;
        n.AnimId = r.AnimId;
        n.Frame = r.Frame;
        break;
    }
    g.Sounds.Request(snd::BossAlert);
}

void BurstOfBullets(Game& g, const PlaneRecord& r) {
    static constexpr int speeds[8][2] = {{9, 10}, {-9, -10}, {9, -10}, {-9, 10},
                                         {12, 1}, {1, 12},   {-12, 1}, {1, -12}};
    const double cx = static_cast<double>(r.Width / 2 + r.X);
    const double cy = static_cast<double>(r.Height / 2 + r.Y);
    for (const auto& s : speeds) FireBullet(g, False, bullet_type::Burst, cx, cy, 0, 0, s[0], s[1]);
}

}  // namespace

void PlayHurtVoice(Game& g, Boolean screamOnly) {
    Voices& v = g.Voice;
    if (v.VoiceCooldown != 0) return;
    int clip = 0;
    do {
        // After a yell, only a scream; now and then a Zorbel yells instead of the pilot.
        const int range = screamOnly == True || v.LastHurtVoice > snd::LastScream ? 7 : 9;
        clip = RandomBelow(g, range) + snd::Scream1;
        v.VoiceCooldown = 20;
        if (clip > snd::LastScream) {
            clip = RandomBelow(g, 7) + snd::Yell1;
            v.VoiceCooldown = 60;
        }
    } while (clip == v.LastHurtVoice);
    g.Sounds.Request(clip);
    v.LastHurtVoice = ToInteger(clip);
}

void KillObject(Game& g, Integer slot) {
    PlaneRecord& r = g.Obj.Planes.at(static_cast<size_t>(slot));
    if (r.TypeId >= plane_type::FirstPickup) return;  // pickups cannot be killed

    r.FallSpeed = 0;
    r.Dying = True;
    r.HitPoints = 0;

    IceState& ice = g.Ice;
    if (ice.FrozenTimer != 0) {
        // A frozen object falls straight; the last one gone ends the frozen phase early.
        r.FallDrift = 0;
        ice.FrozenCount = ToInteger(ice.FrozenCount - 1);
        if (ice.FrozenCount == 0) ice.FrozenTimer = 30;
    } else {
        r.FallDrift = PathAt(g, r.PathStep, path_row::DX, r.PathId);
    }

    if (r.InSpecialAnim == True) {
        // Killed in a special animation: it falls along the matching step of a death path.
        r.PathStep = ToInteger(PathAt(g, r.PathStep, path_row::Anim, r.PathId) - 5);
        r.PathId = r.TypeId == plane_type::Gunship || r.TypeId == plane_type::StrongGunship ? 55 : 2;
        r.AnimId = PathAt(g, r.PathStep, path_row::Anim, r.PathId);
        r.Frame = AnimAt(r, r.AnimId, r.AnimStep);
    } else {
        r.Frame = r.Anim[2][1];
    }

    const bool ice_runs = ice.Runs();
    const Integer w = ToInteger(r.Width), h = ToInteger(r.Height);
    if (r.TypeId == plane_type::Jumper) {
        SpawnEffect(g, r.X, r.Y, w, h, effect::JumperBlast);
        g.Sounds.RequestFromTable(r.DeathSound);
    } else if (!ice_runs || r.IsBoss != 0) {
        SpawnEffect(g, r.X, r.Y, w, h, effect::Explosion);
        g.Sounds.RequestFromTable(r.DeathSound);
    } else {
        // Frozen solid: it shatters and its slot is free at once.
        r.Active = 0;
        for (int n = 0; n < 8; ++n) SpawnEffect(g, r.X, r.Y, w, h, effect::Shard);
        g.Sounds.Request(RandomBelow(g, 2) + snd::Shatter1);
    }

    if (PlaneRecord* l = LinkedRecord(g, r.Link)) {
        if (r.TypeId != plane_type::Burster) {
            // The partner flies off.
            l->PathId = l->X <= 100 ? 15 : 8;
            l->PathStep = 1;
        }
        l->Link = 0;
    }
    r.Link = 0;

    switch (r.TypeId) {
        case plane_type::LevelStart:
            // The level-start plane does not die: it flies off and the level script begins.
            r.Dying = False;
            r.HitPoints = 10000;
            r.HasPropeller = False;
            r.PathId = 80;
            r.PathStep = 1;
            g.Run.ScriptHold = False;
            if (ice.Runs()) {
                ice.FreezeTimer = 0;
                ice.FrozenTimer = 1;
            }
            break;
        case plane_type::PairFront:
        case plane_type::PairRear:
            PartTakeover(g);
            break;
        case plane_type::Burster:
            r.Active = 0;
            if (!ice.Runs()) BurstOfBullets(g, r);
            break;
        case plane_type::ShieldGenerator:
            // The shield generator takes every shield part with it.
            for (int k = 1; k <= kLastObjectSlot; ++k) {
                if (g.Obj.Planes[k].TypeId == plane_type::ShieldPart) KillObject(g, ToInteger(k));
            }
            g.Voice.BossShieldDown = True;
            break;
        case plane_type::BossStage1:
            if (g.Run.Level == 10) {
                g.Sounds.Request(snd::BossVoiceB);
                g.Voice.VoiceCooldown = 100;
            }
            ReleaseNextStage(g, r, -138, 22, 0);
            break;
        case plane_type::BossStage2:
            if (g.Run.Level == 10) g.Sounds.Request(snd::BossVoiceC);
            ReleaseNextStage(g, r, -100, 22, 17);
            break;
        default:
            break;
    }
}

void KillPlayer(Game& g) {
    PlaneRecord& p = g.Player();
    const bool alreadyDown = p.HasCollided != 0;  // a death already under way in this life
    p.Dying = True;
    p.HitPoints = 0;
    if (!alreadyDown) {
        g.Sounds.Request(snd::PlaneDown);
        SpawnEffect(g, p.X, p.Y, ToInteger(p.Width), ToInteger(p.Height), effect::Explosion);
    }
    p.HasCollided = True;
    g.Controls.SprayTimer = 0;  // a running spray stops
}

}  // namespace gorb
