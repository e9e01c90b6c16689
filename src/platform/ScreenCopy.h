#pragma once
// Copies a changed rectangle of the screen surface into the window's picture: converted from the
// mode's pixel format (8-bit palette entries, 16-bit 5-6-5 or 32-bit X-8-8-8) and scaled to the
// viewport by taking the nearest pixel. Every window pixel depends only on the one screen pixel
// it shows, so copying the changed rectangles present after present gives exactly the picture
// a copy of the whole screen would.
#include <SDL.h>

namespace gorb {

// The window rectangle that shows the rectangle area of a screenW x screenH screen drawn into
// viewport (empty when area shows in no window pixel, as it may when the window is smaller).
SDL_Rect WindowRectOf(const SDL_Rect& area, int screenW, int screenH, const SDL_Rect& viewport);

// Copies area of screen into window at its place in viewport and returns the window rectangle
// written. The window may have any pixel format SDL converts to; 32-bit X-8-8-8 is the fast
// path. Pixels of the window outside the viewport are left alone (the black bars).
SDL_Rect CopyScreenRect(SDL_Surface* screen, const SDL_Rect& area, SDL_Surface* window, const SDL_Rect& viewport);

}  // namespace gorb
