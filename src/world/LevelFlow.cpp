// Level flow: from one level to the next, and the end of the game after the last stage.
#include <string>

#include "world/World.h"

namespace gorb {

namespace {

std::string TwoDigits(Integer level) {
    std::string s;
    s += static_cast<char>('0' + level / 10);
    s += static_cast<char>('0' + level % 10);
    return s;
}

Integer BossClipCount(Integer level) {
    if (level == 4 || level == 10) return 3;
    if (level == 8 || level == 9) return 2;
    return 1;
}

// Reveals the new background line by line, even lines first, about a millisecond each.
void WipeInBackground(Game& g) {
    MediaPort& m = *g.Media;
    const DisplayState& d = g.Display;
    g.SrcRect.Left = 0;
    g.SrcRect.Right = 612;
    for (int pass = 0; pass <= 1; ++pass) {
        for (int line = pass; line <= pass + 328; line += 2) {
            const uint32_t t = m.GetTickCount();
            g.SrcRect.Top = line;
            g.SrcRect.Bottom = line + 1;
            g.DestRect = {d.PlayAreaX, d.PlayAreaY + line, d.PlayAreaX + 612, d.PlayAreaY + line + 1};
            m.BlitToPrimary(surf::BackBuffer, g.SrcRect, g.DestRect, 612, 330, "BackBuffer");
            m.WaitUntilPast(TickPlus(t, g.Run.FrameTimeMs));
        }
    }
}

void WriteMadeUpRow(Game& g, Integer type, Integer y) {
    auto& script = g.Data.LevelScript;
    const int level = g.Run.Level;
    const int row = g.Run.LevelProgress;
    script[script_part::Delay][level][row] = 30;
    script[script_part::Type][level][row] = type;
    script[script_part::Path][level][row] = 78;
    script[script_part::Y][level][row] = y;
}

// Entering FINAL from level 10: the outro pictures, then the frame and the HUD drawn anew.
void ShowOutro(Game& g) {
    g.Media->ShowExtroScreens(g);
    DrawScreenFrame(g);
    // Marker values that force a full redraw of the lives row and the energy bar.
    g.Hud.ShownLives = 44;
    g.Hud.ShownEnergy = 110;
    UpdateLivesRow(g);
    UpdateEnergyGauge(g);
    DrawItemSlots(g);
}

// Script position, ice effect, loop dive, voices and the random game start afresh.
void ResetLevelState(Game& g) {
    LevelState& run = g.Run;
    run.LevelProgress = 0;
    run.ScriptTick = 0;
    run.ScriptEnded = False;
    run.LevelComplete = False;
    run.GameOverCountdown = 0;
    run.ScriptHold = True;
    g.Ice.FreezeTimer = 0;
    g.Ice.FrozenTimer = 0;
    g.Ice.ThawTimer = 0;
    run.RandomSpawnQuota = ToInteger(run.Level * 20 + 100);
    g.Controls.ManoeuvreCounter = 0;
    g.Voice.VoiceCooldown = 40;
    g.Voice.BossVoiceArmed = False;
    g.Voice.VoiceCue1Played = False;
    g.Voice.VoiceCue2Played = False;
    g.Voice.PartTakeoverDone = False;
    g.Voice.BossShieldDown = False;
    run.RandomGroupLeft = 0;
    run.RandomGroupStyle = 0;
    run.RandomSpawnCount = 0;
    run.RandomGameActive = ToBoolean(g.Flags.RandomGameChosen == True && run.Level < 11);
}

// The player's plane waits off the left edge with full energy and a locked eject; weapon, items,
// lives and top speed carry over.
void PlaceAtEntry(PlaneRecord& p) {
    p.Active = False;
    p.X = ToInteger(-40 - p.Width);
    p.Y = 136;
    p.Dying = False;
    p.HitPoints = 100;
    p.Link = 1;
    p.Frame = 3;
}

// Reaching a level unlocks it as a start level of its game type.
void UnlockReachedLevel(Game& g) {
    const LevelState& run = g.Run;
    if (run.Level >= 12) return;
    const Integer reached = ToInteger(run.Level - 1);
    if (run.RandomGameActive == True) {
        if (reached > g.Setup.HighestLevelRandom) g.Setup.HighestLevelRandom = reached;
    } else {
        if (reached > g.Setup.HighestLevelNormal) g.Setup.HighestLevelNormal = reached;
    }
}

// The level's boss voices and boss alert; FINAL keeps the first voice it had and has no others.
void LoadLevelSounds(Game& g, const std::string& digits) {
    MediaPort& m = *g.Media;
    if (!m.SoundOn()) return;
    const Integer level = g.Run.Level;
    m.ReleaseSoundBuffer(snd::BossVoiceB);
    m.ReleaseSoundBuffer(snd::BossVoiceC);
    if (level < 11) {
        for (int i = 1; i <= BossClipCount(level); ++i) {
            m.LoadResourceSound(ToInteger(snd::BossVoiceA - 1 + i),
                                "zugbos" + digits + static_cast<char>('a' + i - 1));
        }
    }
    m.LoadResourceSound(snd::BossAlert, level == 3 ? "enemy02" : "enemy01");
}

// The level's first background into the back buffer, wiped onto the screen unless the run has
// just begun (the first frame presents it then).
void RevealBackground(Game& g) {
    LevelState& run = g.Run;
    const Integer frameTime = run.FrameTimeMs;
    g.Hud.BackLayerOffset = 0;
    g.Hud.FrontLayerOffset = 0;
    run.FrameTimeMs = 1;
    DrawBackgroundLayers(g);
    if (run.FirstLevelOfRun == False) WipeInBackground(g);
    run.FrameTimeMs = frameTime;
}

// The level-start object (the script holds until it is shot), and on three levels a pickup.
void SpawnStartRows(Game& g) {
    WriteMadeUpRow(g, plane_type::LevelStart, 50);
    SpawnZorbel(g, 0);

    Integer pickup = 0;
    if (g.Run.Level == 6) pickup = plane_type::MissileWeapon;
    if (g.Run.Level == 10) pickup = plane_type::AxeSpray;
    if (g.Run.Level == 11) pickup = plane_type::LaserWeapon;
    if (pickup != 0) {
        WriteMadeUpRow(g, pickup, 149);
        SpawnZorbel(g, 0);
    }
}

}  // namespace

void StartNextLevel(Game& g) {
    LevelState& run = g.Run;

    if (run.Level == 13) {
        run.Level = 99;
        g.Media->ShowEndScreen(g);
        EndGame(g);
        return;
    }

    run.Level = ToInteger(run.Level + 1);
    if (run.Level > 11) run.Level = 11;
    if (run.Level == 11 && g.Setup.StartLevel != 10) ShowOutro(g);

    ResetLevelState(g);
    PlaceAtEntry(g.Player());
    ClearObjectTables(g);

    const std::string digits = TwoDigits(run.Level);
    g.Media->LoadLevelBackground(g, "screen" + digits);
    UnlockReachedLevel(g);
    LoadLevelSounds(g, digits);
    RevealBackground(g);
    SpawnStartRows(g);
}

}  // namespace gorb
