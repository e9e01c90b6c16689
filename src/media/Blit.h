#pragma once
// The two blit helpers every drawing step of the game goes through.
#include <string_view>

#include "media/BlitClip.h"
#include "media/MediaFields.h"
#include "platform/Surface.h"

namespace gorb {

struct MediaState;

// Draws srcRect of the surface onto the back buffer at destRect with the source colour key,
// clipped to the play area (rectangles changed in place) unless the label starts with "Tile".
// A failing blit shows five message boxes and unloads the main form.
void BlitToBackBuffer(MediaState& media, const SurfaceRef& surface, BlitRect& srcRect, BlitRect& destRect,
                      Long sheetWidth, Long sheetHeight, std::string_view label);

// Opaque, unclipped copy of srcRect onto the screen at (destRect.Left, destRect.Top); nothing
// is drawn when destRect is empty. Fails like BlitToBackBuffer.
void BlitToPrimary(MediaState& media, const SurfaceRef& surface, BlitRect& srcRect, BlitRect& destRect,
                   Long sheetWidth, Long sheetHeight, std::string_view label);

}  // namespace gorb
