#include "media/BlitClip.h"

namespace gorb {

bool ClipToPlayArea(BlitRect& src, BlitRect& dest, std::string_view label) {
    if (label.substr(0, 4) != "Tile") {
        // 64-bit sums: a rectangle far outside the area must not wrap while it is moved.
        if (dest.Left < 0) {
            src.Left = ToLong(static_cast<long long>(src.Left) - dest.Left);
            dest.Left = 0;
        }
        if (dest.Right > kPlayAreaWidth) {
            src.Right = ToLong(static_cast<long long>(src.Right) - (static_cast<long long>(dest.Right) - kPlayAreaWidth));
            dest.Right = kPlayAreaWidth;
        }
        if (dest.Top < 0) {
            src.Top = ToLong(static_cast<long long>(src.Top) - dest.Top);
            dest.Top = 0;
        }
        if (dest.Bottom > kPlayAreaHeight) {
            src.Bottom = ToLong(static_cast<long long>(src.Bottom) - (static_cast<long long>(dest.Bottom) - kPlayAreaHeight));
            dest.Bottom = kPlayAreaHeight;
        }
    }
    return HasArea(dest);
}

}  // namespace gorb
