#pragma once
// Start-up as the program does it before a game, for tests that run a real game on the live
// media port: the display in the desktop's own mode, then sound (its output paused, so tests
// drive the mixer themselves and nothing finishes on its own in real time).
#include "media/SoundSetup.h"
#include "platform/Display.h"
#include "world/LiveMedia.h"

namespace gorb::testing {

inline void StartInDesktopModeWithSound(Game& g, LiveMedia& live, MediaState& media, SoundFields& soundF) {
    DisplayState& d = g.Display;
    d.DesktopBitDepth = ToInteger(GetDeviceCaps(BITSPIXEL));
    d.DesktopWidth = ToInteger(GetDeviceCaps(HORZRES));
    d.DesktopHeight = ToInteger(GetDeviceCaps(VERTRES));
    d.GameBitDepth = d.DesktopBitDepth;
    d.ScreenWidth = d.DesktopWidth;
    d.ScreenHeight = d.DesktopHeight;
    live.SetupDirectX(g, d.DesktopBitDepth, d.DesktopWidth, d.DesktopHeight);
    SetupDirectSound(media.Sound, soundF, media.Hooks);
    media.Sound.DirectSound->PauseOutput(true);
    g.Setup.SoundOn = soundF.SoundOn;
}

}  // namespace gorb::testing
