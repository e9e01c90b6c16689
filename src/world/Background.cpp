// The scrolling background strips, the overload sign and the start of the ice effect.
#include "world/World.h"

namespace gorb {

void DrawScrollStrip(Game& g, Long& offset, Integer stripX, const char* label) {
    for (Long x = -offset; x <= 612; x += 150) {
        g.SrcRect = {stripX, 0, stripX + 150, 330};
        g.DestRect = {x, 0, x + 150, 330};
        g.Media->BlitToBackBuffer(surf::Screen, g.SrcRect, g.DestRect, 300, 330, label);
    }
}

void DrawBackgroundLayers(Game& g) {
    HudState& h = g.Hud;
    const IceState& ice = g.Ice;
    if (ice.FrozenTimer == 0) {
        h.BackLayerOffset += 1;
        if (h.BackLayerOffset >= 150) h.BackLayerOffset = 0;
    }
    DrawScrollStrip(g, h.BackLayerOffset, 0, "Screen Back");

    if (ice.FreezeTimer + ice.ThawTimer >= 1) {
        h.FrontLayerOffset += 1;
    } else if (ice.FrozenTimer == 0) {
        h.FrontLayerOffset += 2;
    }
    if (h.FrontLayerOffset >= 150) h.FrontLayerOffset = 0;
    if (g.Flags.FullBackground == True) DrawScrollStrip(g, h.FrontLayerOffset, 150, "Screen Front");
}

void DrawProcessorAlert(Game& g) {
    HudState& h = g.Hud;
    if (h.Overloaded == True) {
        if (h.AlertHold < 10) h.AlertHold = ToInteger(h.AlertHold + 1);
        if (h.AlertHold >= 10) {
            h.AlertHold = 20;
            h.AlertFrame = ToInteger(h.AlertFrame + 1);
            if (h.AlertFrame > 4) h.AlertFrame = 1;
            const Long srcX = 213 + 26 * (h.AlertFrame - 1);
            const Long x = g.Display.PlayAreaX + 2;
            const Long y = g.Display.PlayAreaY + 2;
            g.SrcRect = {srcX, 0, srcX + 26, 18};
            g.DestRect = {x, y, x + 26, y + 18};
            g.Media->BlitToPrimary(surf::Misc, g.SrcRect, g.DestRect, g.Sheets.MiscSheetWidth,
                                   g.Sheets.MiscSheetHeight, "Processor Alert");
        }
    } else if (h.AlertHold > 0) {
        h.AlertHold = ToInteger(h.AlertHold - 1);
    }
}

void StartSlowdown(Game& g) {
    g.Ice.FrozenTimer = 0;
    g.Ice.ThawTimer = 0;
    g.Ice.FreezeTimer = 10;
    g.Sounds.Request(snd::Slowdown);
}

}  // namespace gorb
