// Effects: muzzle flashes, smoke, explosions, ice sparkles, the ice burst and shards. They
// belong to no object, never collide, and free their slot after their last frame.
#include "world/World.h"

namespace gorb {

void SpawnEffect(Game& g, Integer x, Integer y, Integer w, Integer h, Integer kind) {
    if (kind < 0 || kind > 10) return;  // no such template
    auto& slots = g.Obj.Effects;
    int e = 1;
    while (e <= kLastEffectSlot && slots[e].Active != 0) ++e;
    if (e > kLastEffectSlot) return;  // every slot busy: the effect is dropped

    EffectType& t = slots[e];
    t = g.Types.EffectTypes[kind];
    t.Active = True;
    t.Frame = 0;
    switch (kind) {
        case effect::Flash:  // at an offset from a corner, centred vertically there
        case effect::DriftingSmoke:
            t.X = ToInteger(x + w);
            t.Y = ToInteger(y + h - t.Height / 2);
            break;
        case effect::Smoke:  // centred on a box (a smaller box gives a negative offset)
        case effect::Explosion:
            t.X = ToInteger(x + IntDiv(w - t.Width, 2));
            t.Y = ToInteger(y + IntDiv(h - t.Height, 2));
            break;
        case effect::Sparkle:  // a random point of a box
        case effect::Shard: {
            const Integer rx = IntI(Rnd(g) * w);
            t.X = ToInteger(x + rx + 1);
            const Integer ry = IntI(Rnd(g) * h);
            t.Y = ToInteger(y + ry + 1);
            if (kind == effect::Shard) {
                // A shard flies off in its own direction and may skip up to two frames.
                t.DX = ToInteger(IntI(2.0 * t.DX * Rnd(g)) - t.DX);
                t.DY = ToInteger(IntI(2.0 * t.DY * Rnd(g)) - t.DY);
                t.Frame = IntI(3 * Rnd(g));
            }
            break;
        }
        case effect::IceBurst:
            t.X = x;
            t.Y = y;
            break;
        case effect::JumperBlast:
            t.X = x;
            t.Y = ToInteger(y + 20);
            break;
        default:
            break;
    }
}

void UpdateEffects(Game& g) {
    for (int e = 1; e <= kLastEffectSlot; ++e) {
        EffectType& t = g.Obj.Effects[e];
        if (t.Active != True) continue;
        t.Frame = ToInteger(t.Frame + 1);
        if (t.Frame > t.LastFrame) {
            t.Active = 0;
            continue;
        }
        t.SrcY = ToInteger((t.Frame - 1) * t.Height);
        t.X = ToInteger(t.X + t.DX);
        t.Y = ToInteger(t.Y + t.DY);
        g.SrcRect = {t.SrcX, t.SrcY, t.SrcX + t.Width, t.SrcY + t.Height};
        g.DestRect = {t.X, t.Y, t.X + t.Width, t.Y + t.Height};
        if (t.KindCode == effect::Shard) t.DY = ToInteger(t.DY + 2);  // a shard falls ever faster
        const bool ice = t.KindCode >= effect::Sparkle && t.KindCode <= effect::Shard;
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
