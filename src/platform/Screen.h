#pragma once
// The surface that the full-screen window shows. While a display mode is set it is the
// primary surface (in the mode's pixel format); the toolkit paints the main form's controls
// onto it, and the game blits onto it. Whoever changes its pixels calls MarkScreenChanged, and
// the display presents it at the next pump or wait.
#include <SDL.h>

#include <functional>

namespace gorb {

// Set by the display while it owns a window; nullptr when no display is set up.
void SetScreenProvider(std::function<SDL_Surface*()> provider);
SDL_Surface* GetScreenSurface();

void MarkScreenChanged();
bool ScreenChanged();       // since the last ClearScreenChanged
void ClearScreenChanged();

}  // namespace gorb
