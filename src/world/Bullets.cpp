// Bullets and enemy fire. Only the drawing of live bullets is here so far.
#include "world/World.h"

namespace gorb {

void ZorbelFire(Game&, Integer) {}

void UpdateBullets(Game& g) {
    for (int b = 1; b <= 100; ++b) {
        BulletType& t = g.Obj.Bullets[b];
        if (t.Active == 0) continue;
        g.SrcRect = {t.SrcX, t.SrcY, t.SrcX + t.Width, t.SrcY + t.Height};
        g.DestRect = {t.X, t.Y, t.X + t.Width, t.Y + t.Height};
        g.Media->BlitToBackBuffer(surf::Bullet, g.SrcRect, g.DestRect, g.Sheets.BulletSheetWidth,
                                  g.Sheets.BulletSheetHeight, "Bullet GFX");
    }
}

}  // namespace gorb
