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
    script[0][level][row] = 30;
    script[1][level][row] = type;
    script[2][level][row] = 78;
    script[3][level][row] = y;
}

}  // namespace

void StartNextLevel(Game& g) {
    MediaPort& m = *g.Media;
    LevelState& run = g.Run;

    if (run.Level == 13) {
        run.Level = 99;
        m.ShowEndScreen(g);
        EndGame(g);
        return;
    }

    run.Level = ToInteger(run.Level + 1);
    if (run.Level > 11) run.Level = 11;

    if (run.Level == 11 && g.Setup.StartLevel != 10) {
        m.ShowExtroScreens(g);
        DrawScreenFrame(g);
        // Marker values that force a full redraw of the lives row and the energy bar.
        g.Hud.ShownLives = 44;
        g.Hud.ShownEnergy = 110;
        UpdateLivesRow(g);
        UpdateEnergyGauge(g);
        DrawItemSlots(g);
    }

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
    run.RandomGroupLeft = 0;
    run.RandomGroupStyle = 0;
    run.RandomSpawnCount = 0;
    run.RandomGameActive = ToBoolean(g.Flags.RandomGameChosen == True && run.Level < 11);

    PlaneRecord& p = g.Player();
    p.Active = False;
    p.X = ToInteger(-40 - p.Width);
    p.Y = 136;
    p.Dying = False;
    p.HitPoints = 100;
    p.Link = 1;
    p.Frame = 3;

    g.Voice.VoiceCue1Played = False;
    g.Voice.VoiceCue2Played = False;
    g.Voice.PartTakeoverDone = False;
    g.Voice.BossShieldDown = False;

    ClearObjectTables(g);

    const std::string digits = TwoDigits(run.Level);
    m.LoadLevelBackground(g, "screen" + digits);

    const Integer clips = BossClipCount(run.Level);
    if (run.Level < 12) {
        // Reaching a level unlocks it as a start level of its game type.
        const Integer reached = ToInteger(run.Level - 1);
        if (run.RandomGameActive == True) {
            if (reached > g.Setup.HighestLevelRandom) g.Setup.HighestLevelRandom = reached;
        } else {
            if (reached > g.Setup.HighestLevelNormal) g.Setup.HighestLevelNormal = reached;
        }
    }

    if (m.SoundOn()) {
        m.ReleaseSoundBuffer(61);
        m.ReleaseSoundBuffer(62);
        if (run.Level < 11) {
            for (int i = 1; i <= clips; ++i) {
                m.LoadResourceSound(ToInteger(59 + i),
                                    "zugbos" + digits + static_cast<char>('a' + i - 1));
            }
        }
        m.LoadResourceSound(55, run.Level == 3 ? "enemy02" : "enemy01");
    }

    const Integer frameTime = run.FrameTimeMs;
    g.Hud.BackLayerOffset = 0;
    g.Hud.FrontLayerOffset = 0;
    run.FrameTimeMs = 1;
    DrawBackgroundLayers(g);
    if (run.FirstLevelOfRun == False) WipeInBackground(g);
    run.FrameTimeMs = frameTime;

    // The level-start object: the script holds until it is shot.
    WriteMadeUpRow(g, 20, 50);
    SpawnZorbel(g, 0);

    Integer pickup = 0;
    if (run.Level == 6) pickup = 60;
    if (run.Level == 10) pickup = 52;
    if (run.Level == 11) pickup = 59;
    if (pickup != 0) {
        WriteMadeUpRow(g, pickup, 149);
        SpawnZorbel(g, 0);
    }
}

}  // namespace gorb
