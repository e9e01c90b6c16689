// Level-script spawning: rows of the script become objects at the right edge.
#include <string>

#include "world/TableIndex.h"
#include "world/World.h"

namespace gorb {

namespace {

Integer Row(const Game& g, int component, int row) {
    return g.Data.LevelScript.at(component).at(g.Run.Level).at(row);
}

// Places a freshly copied record on its path, first frame shown.
void PlaceOnPath(Game& g, PlaneRecord& r, Integer y, Integer x, Integer path) {
    r.Active = True;
    r.Dying = False;
    r.Y = y;
    r.X = x;
    r.PathId = path;
    r.PathStep = 1;
    r.AnimStep = 1;
    r.AnimId = PathAt(g, 1, path_row::Anim, path);
    r.Frame = AnimAt(r, r.AnimId, 1);
}

bool FallsIn(Integer path) { return path == 139 || path == 152; }

void BossRules(Game& g, PlaneRecord& r) {
    SoundRequests& sounds = g.Sounds;
    Voices& v = g.Voice;
    sounds.Request(snd::BossAlert);
    if (v.BossVoiceArmed == False && g.Run.Level <= 10) {
        v.BossVoiceDelay = 25;
        v.BossVoiceArmed = True;
    }
    switch (g.Run.Level) {
        case 4:
            // Cue 2 can only follow cue 1: the else belongs to the first cue's test.
            if (v.VoiceCue1Played == False) {
                if (r.Y == 310) {
                    sounds.Request(snd::BossVoiceB);
                    v.VoiceCue1Played = True;
                    v.VoiceCooldown = 80;
                }
            } else if (v.VoiceCue2Played == False && r.Y >= 311) {
                sounds.Request(snd::BossVoiceC);
                v.VoiceCue2Played = True;
                v.VoiceCooldown = 20;
            }
            break;
        case 5:
            if (r.TypeId != plane_type::Level5Boss) {
                sounds[snd::BossAlert] = False;
                v.BossVoiceArmed = False;
                v.BossVoiceDelay = 0;
            }
            break;
        case 6:
            if (r.TypeId != plane_type::HullFirst) sounds[snd::BossAlert] = False;
            g.Ice.FreezeTimer = 0;
            g.Ice.ThawTimer = 0;
            g.Ice.FrozenTimer = 0;
            break;
        case 9:
            if (r.TypeId != plane_type::JumperBoss) sounds[snd::BossAlert] = False;
            if (r.TypeId == plane_type::ShieldPart) {
                sounds.Request(snd::BossVoiceB);
                v.VoiceCooldown = 160;
            }
            break;
        case 11:
            r.FireChance[1] = ToInteger(r.FireChance[1] * 2);
            r.FireChance[2] = ToInteger(r.FireChance[2] * 2);
            break;
        case 12:
            if (r.TypeId == plane_type::PairFront) {
                r.FireChance[1] = ToInteger(r.FireChance[1] * 3);
                r.FireChance[2] = ToInteger(r.FireChance[2] * 3);
                sounds[snd::BossAlert] = False;
            }
            break;
        case 13:
            if (r.TypeId >= plane_type::HullGunFirst && r.TypeId <= plane_type::HullGunLast)
                r.FireChance[1] = ToInteger(r.FireChance[1] * 3);
            if (r.TypeId == plane_type::ShieldPart) sounds[snd::BossAlert] = False;
            break;
        default:
            break;
    }
}

}  // namespace

void StepLevelScript(Game& g) {
    LevelState& run = g.Run;
    // An ended script waits for nothing: its tick stops, however long the level's boss lives.
    if (run.ScriptEnded != False) return;
    if (run.ScriptHold == False) run.ScriptTick = ToInteger(run.ScriptTick + 1);
    if (run.ScriptTick != Row(g, script_part::Delay, run.LevelProgress)) return;
    run.ScriptTick = 0;
    run.LevelProgress = ToInteger(run.LevelProgress + 1);
    if (Row(g, script_part::Type, run.LevelProgress) == 99) {
        run.ScriptEnded = True;
        return;
    }
    SpawnZorbel(g, 0);

    // A pickup row right after a spawned row comes in the same frame, centred on its carrier.
    const int next = run.LevelProgress + 1;
    const Integer nextType = Row(g, script_part::Type, next);
    const Integer nextPath = Row(g, script_part::Path, next);
    if (nextType < plane_type::FirstPickup || nextType == 99 || nextPath == 139 || nextPath == 151) return;
    const Long w1 = PlaneTemplate(g, Row(g, script_part::Type, run.LevelProgress)).Width;
    run.LevelProgress = ToInteger(run.LevelProgress + 1);
    const Long w2 = PlaneTemplate(g, Row(g, script_part::Type, run.LevelProgress)).Width;
    long long offset = IntDiv(w1 - w2, 2);
    if (offset < 0) offset = 0;
    SpawnZorbel(g, ToInteger(offset));
}

void SpawnZorbel(Game& g, Integer xOffset) {
    LevelState& run = g.Run;
    auto& planes = g.Obj.Planes;
    int s = 0;
    for (int i = kLastObjectSlot; i >= 1; --i) {
        if (planes[i].Active == 0) {
            s = i;
            break;
        }
    }
    const Integer type = Row(g, script_part::Type, run.LevelProgress);
    const Integer path = Row(g, script_part::Path, run.LevelProgress);
    const Integer y = Row(g, script_part::Y, run.LevelProgress);
    if (s == 0) {
        // An enemy row comes again after the previous row's delay; a pickup row is lost.
        if (type < plane_type::FirstPickup) run.LevelProgress = ToInteger(run.LevelProgress - 1);
        return;
    }
    PlaneRecord& r = planes[s];
    r = PlaneTemplate(g, type);
    if (r.TypeId == plane_type::None) {
        g.Media->MessageBox("ERROR:  Zorbel initiated with type 0");
        g.Media->MessageBox("Level is " + std::to_string(run.Level) + " and levelprogress = " +
                            std::to_string(run.LevelProgress));
        g.Media->MessageBox("type, nav, and curtop are " + std::to_string(type) + " & " +
                            std::to_string(path) + " & " + std::to_string(y));
    }
    PlaceOnPath(g, r, y, ToInteger(624 + xOffset), path);

    if (r.TypeId >= plane_type::FirstPickup || r.TypeId == plane_type::Burster) {
        if (FallsIn(r.PathId)) {
            run.AnchorSlot = ToInteger(s);
        } else {
            r.Link = run.AnchorSlot;
            planes[run.AnchorSlot].Link = ToInteger(s);
        }
    } else {
        run.AnchorSlot = ToInteger(s);
    }

    if (r.IsBoss == True) BossRules(g, r);

    if (FallsIn(r.PathId)) {
        const double width = run.Level < 11 ? 600.0 : 200.0;
        r.X = CInt(Rnd(g) * width + 1);
    }
}

void SpawnJumper(Game& g, Integer type, Integer path, Integer y, Integer x) {
    auto& planes = g.Obj.Planes;
    int s = 0;
    // Slots 18 to 20 are kept free of released objects.
    constexpr int kLastJumperSlot = 17;
    for (int i = kLastJumperSlot; i >= 1; --i) {
        if (planes[i].Active == 0) {
            s = i;
            break;
        }
    }
    if (s == 0) return;
    PlaneRecord& r = planes[s];
    r = PlaneTemplate(g, type);
    if (r.TypeId == plane_type::None) {
        g.Media->MessageBox("ERROR:  Jumper initiated with type 0");
        g.Media->MessageBox("type, nav, and curtop are " + std::to_string(type) + " & " +
                            std::to_string(path) + " & " + std::to_string(y));
    }
    PlaceOnPath(g, r, y, ToInteger(624 - x), path);
    g.Run.AnchorSlot = ToInteger(s);
    if (r.TypeId == plane_type::Jumper) {
        r.DeathSound = ToInteger(IntI(Rnd(g) * 2) + snd::JumperDeath1);
        if (g.Run.Level == 13) r.FireChance[1] = ToInteger(r.FireChance[1] * 3);
    }
}

}  // namespace gorb
