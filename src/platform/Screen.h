#pragma once
// The surface that the full-screen window shows. While a display mode is set it is the
// primary surface (in the mode's pixel format); the toolkit paints the main form's controls
// onto it, and the game blits onto it. Whoever changes its pixels marks the rectangle it
// changed, and the display shows what changed at the next present: a pump, a wait, or a
// PresentScreen of its own.
#include <SDL.h>

#include <functional>

namespace gorb {

// Set by the display while it owns a window; nullptr when no display is set up.
void SetScreenProvider(std::function<SDL_Surface*()> provider);
SDL_Surface* GetScreenSurface();

// The whole surface changed (a new primary, a window that must be drawn anew).
void MarkScreenChanged();
// Only area changed; the display copies no more than the union of the areas marked.
void MarkScreenChanged(const SDL_Rect& area);
bool ScreenChanged();       // since the last ClearScreenChanged
// The union of what changed, clipped to a width x height surface; empty when nothing did.
SDL_Rect ChangedArea(int width, int height);
void ClearScreenChanged();

// Shows what changed of the screen surface in the window now. The display sets how; without a
// display it does nothing. A frame calls it before its wait, so the present's cost lies inside
// the frame that drew the picture.
void SetScreenPresenter(std::function<void()> presenter);
void PresentScreen();

}  // namespace gorb
