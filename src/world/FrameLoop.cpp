// The frame loop: one 35 ms frame after another until the game is over.
#include "world/World.h"

namespace gorb {

bool RunFrameWork(Game& g) {
    MediaPort& m = *g.Media;
    LevelState& run = g.Run;

    DrawBackgroundLayers(g);

    if (run.GameOverCountdown == 0) {
        if (g.Ice.FrozenTimer != 0) {
            g.Ice.FrozenTimer = ToInteger(g.Ice.FrozenTimer - 1);
        } else if (run.RandomGameActive == True) {
            StepRandomScript(g);
        } else {
            StepLevelScript(g);
        }
    } else {
        run.GameOverCountdown = ToInteger(run.GameOverCountdown - 1);
        if (run.GameOverCountdown == 1) run.GameOver = True;
    }

    if (g.Flags.JoystickMode == True) m.PollJoystick(g);

    if (run.LevelComplete == True && g.Player().Dying == False) {
        PlayerFlyOut(g);
        if (run.Level == 99) return false;  // the end of the game; EndGame has run
    } else if (run.GameOverCountdown == 0) {
        UpdatePlayer(g);
    }

    if (g.Voice.BossVoiceDelay > 0) {
        g.Voice.BossVoiceDelay = ToInteger(g.Voice.BossVoiceDelay - 1);
        if (g.Voice.BossVoiceDelay == 0) {
            g.Sounds.Request(snd::BossVoiceA);
            g.Voice.VoiceCooldown = 120;
        }
    }

    UpdateZorbels(g);
    m.PlayQueuedSounds(g.Sounds, 1, 16);
    UpdateBullets(g);
    m.PlayQueuedSounds(g.Sounds, 17, 32);
    UpdateEffects(g);
    m.PlayQueuedSounds(g.Sounds, 33, 50);
    UpdateEnergyGauge(g);
    DrawItemSlots(g);
    m.PlayQueuedSounds(g.Sounds, 83, 96);
    UpdateLivesRow(g);
    if (g.Flags.PilotTalkOn == True) m.PlayQueuedSounds(g.Sounds, 60, 82);
    CheckPlayerCollisions(g);
    m.PlayQueuedSounds(g.Sounds, 51, 59);

    g.SrcRect = {0, 0, 612, 330};
    const DisplayState& d = g.Display;
    g.DestRect = {d.PlayAreaX, d.PlayAreaY, d.PlayAreaX + 612, d.PlayAreaY + 330};
    m.BlitToPrimary(surf::BackBuffer, g.SrcRect, g.DestRect, 612, 330, "BackBuffer");
    // The overload sign sits in the top-left corner of the play area. Drawn before the play
    // area's copy it would be covered before any present; drawn over it, the frame's present
    // shows it for as long as the frames overrun.
    DrawProcessorAlert(g);
    return true;
}

void RunGameLoop(Game& g) {
    MediaPort& m = *g.Media;
    DrawScreenFrame(g);
    LevelState& run = g.Run;
    for (;;) {
        if (run.GameOver == True) break;
        if (run.Paused != 0) {
            // Only messages while paused; a short rest keeps the pause from spinning a core.
            m.PumpMessages();
            m.Rest(5);
            continue;
        }
        const uint32_t start = m.GetTickCount();
        const uint32_t deadline = TickPlus(start, run.FrameTimeMs);

        if (!RunFrameWork(g)) return;

        // The frame's picture reaches the window before the overload test: the present's cost is
        // part of the frame, and the picture is on screen while the frame waits.
        m.PresentScreen();
        const uint32_t now = m.GetTickCount();
        g.Hud.Overloaded =
            ToBoolean(g.Flags.OverloadIndicatorOn == True && TickPast(now, TickPlus(deadline, 5)));
        // The busy wait of the frame: until the tick count is past the deadline, no pumping.
        m.WaitUntilPast(deadline);
        m.PumpMessages();
    }
    EndGame(g);
}

}  // namespace gorb
