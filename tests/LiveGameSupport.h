#pragma once
// Start-up as the program does it before a game, for tests that run a real game on the live
// media port: the display in the desktop's own mode, then sound (its output paused, so tests
// drive the mixer themselves and nothing finishes on its own in real time).
#include "media/SoundSetup.h"
#include "platform/Display.h"
#include "frontend/LiveMedia.h"

namespace gorb::testing {

inline void StartInDesktopModeWithSound(Game& g, LiveMedia& live, MediaState& media) {
    DisplayState& d = g.Display;
    d.DesktopBitDepth = GetDeviceCaps(BITSPIXEL);
    d.DesktopWidth = GetDeviceCaps(HORZRES);
    d.DesktopHeight = GetDeviceCaps(VERTRES);
    d.GameBitDepth = d.DesktopBitDepth;
    d.ScreenWidth = d.DesktopWidth;
    d.ScreenHeight = d.DesktopHeight;
    live.SetupDirectX(g, d.DesktopBitDepth, d.DesktopWidth, d.DesktopHeight);
    SetupDirectSound(media.Sound, media.Hooks, g.Random);
    media.Sound.DirectSound->PauseOutput(true);
}

}  // namespace gorb::testing
