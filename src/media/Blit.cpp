#include "media/Blit.h"

#include <string>

#include "media/MediaState.h"

namespace gorb {

namespace {

Rect ToRect(const BlitRect& r) { return Rect{r.Left, r.Top, r.Right, r.Bottom}; }

// Five boxes, each answered before the next, then the end of the program. Nothing is logged.
[[gnu::cold]] void BlitFailed(MediaState& media, std::string first, const BlitRect& src, const BlitRect& dest) {
    const MediaHooks& hooks = media.Hooks;
    auto n = [](Long v) { return std::to_string(v); };
    if (hooks.MessageBox) {
        hooks.MessageBox(first);
        hooks.MessageBox("SRC Left:  " + n(src.Left) + " & SRC Top:  " + n(src.Top));
        hooks.MessageBox("SRC Right:  " + n(src.Right) + " & SRC Bot:  " + n(src.Bottom));
        hooks.MessageBox("DEST Left:  " + n(dest.Left) + " & DEST Top:  " + n(dest.Top));
        hooks.MessageBox("DEST Right:  " + n(dest.Right) + " & DEST Bot:  " + n(dest.Bottom));
    }
    if (hooks.UnloadMainForm) hooks.UnloadMainForm();
}

}  // namespace

void BlitToBackBuffer(MediaState& media, const SurfaceRef& surface, BlitRect& srcRect, BlitRect& destRect,
                      Long /*sheetWidth*/, Long /*sheetHeight*/, std::string_view label) {
    if (!ClipToPlayArea(srcRect, destRect, label)) return;
    try {
        if (!media.Display.BackBuffer)
            throw ObjectNotSet();
        media.Display.BackBuffer->Blt(ToRect(destRect), surface, ToRect(srcRect), DDBLT_KEYSRC);
    } catch (const PlatformError&) {
        BlitFailed(media, "Unexpected Error Blitting to Backbuffer " + std::string(label), srcRect, destRect);
    }
}

void BlitToPrimary(MediaState& media, const SurfaceRef& surface, BlitRect& srcRect, BlitRect& destRect,
                   Long /*sheetWidth*/, Long /*sheetHeight*/, std::string_view label) {
    if (!HasArea(destRect)) return;
    try {
        if (!media.Display.PrimarySurface)
            throw ObjectNotSet();
        media.Display.PrimarySurface->BltFast(destRect.Left, destRect.Top, surface, ToRect(srcRect), DDBLTFAST_WAIT);
    } catch (const PlatformError&) {
        BlitFailed(media, "Unexpected Error Blitting on Primary:  " + std::string(label), srcRect, destRect);
    }
}

}  // namespace gorb
