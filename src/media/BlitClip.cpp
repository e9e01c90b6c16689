#include "media/BlitClip.h"

namespace gorb {

namespace {

// 64-bit sums: a rectangle far outside the area must not wrap while it is moved.

// A left or top edge before the area moves to 0, the source edge by as much.
void ClipLowEdge(Long& src, Long& dest) {
    if (dest < 0) {
        src = ToLong(static_cast<long long>(src) - dest);
        dest = 0;
    }
}

// A right or bottom edge past the area's size moves back to it, the source edge by as much.
void ClipHighEdge(Long& src, Long& dest, Long size) {
    if (dest > size) {
        src = ToLong(static_cast<long long>(src) - (static_cast<long long>(dest) - size));
        dest = size;
    }
}

}  // namespace

bool ClipToPlayArea(BlitRect& src, BlitRect& dest, std::string_view label) {
    if (label.substr(0, 4) != "Tile") {
        ClipLowEdge(src.Left, dest.Left);
        ClipHighEdge(src.Right, dest.Right, kPlayAreaWidth);
        ClipLowEdge(src.Top, dest.Top);
        ClipHighEdge(src.Bottom, dest.Bottom, kPlayAreaHeight);
    }
    return HasArea(dest);
}

}  // namespace gorb
