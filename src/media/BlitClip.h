#pragma once
// The clipping arithmetic of the back-buffer blit, apart from any surface, so the frame's
// many sprite blits can be checked and measured on their own.
#include <string_view>

#include "media/MediaFields.h"

namespace gorb {

// Clips DestRect to the 612 x 330 play area, moving the matching SrcRect edges by the same
// amount, unless the label starts with exactly "Tile" (the screen frame pieces are placed by
// hand and drawn unclipped). Returns whether anything is left to draw.
bool ClipToPlayArea(BlitRect& src, BlitRect& dest, std::string_view label);

// True when the destination has a positive width and height.
inline bool HasArea(const BlitRect& r) { return r.Bottom > r.Top && r.Right > r.Left; }

}  // namespace gorb
