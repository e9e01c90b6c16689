// Effects: explosions, smoke, ice and debris. Only the drawing of live effects is here so far.
#include "world/World.h"

namespace gorb {

void SpawnEffect(Game&, Integer, Integer, Integer, Integer, Integer) {}

void UpdateEffects(Game& g) {
    for (int e = 1; e <= 60; ++e) {
        EffectType& t = g.Obj.Effects[e];
        if (t.Active == 0) continue;
        const bool ice = t.KindCode >= 5 && t.KindCode <= 7;
        g.SrcRect = {t.SrcX, t.SrcY, t.SrcX + t.Width, t.SrcY + t.Height};
        g.DestRect = {t.X, t.Y, t.X + t.Width, t.Y + t.Height};
        if (ice) {
            g.Media->BlitToBackBuffer(surf::Ice, g.SrcRect, g.DestRect, g.Sheets.IceSheetWidth,
                                      g.Sheets.IceSheetHeight, "Ice GFX");
        } else {
            g.Media->BlitToBackBuffer(surf::Explode, g.SrcRect, g.DestRect,
                                      g.Sheets.ExplodeSheetWidth, g.Sheets.ExplodeSheetHeight,
                                      "Explode GFX");
        }
    }
}

}  // namespace gorb
