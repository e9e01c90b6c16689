// A stand-in for the bullet maker until the bullets land; it follows the same rules, so the
// player's weapons can be played and tested now.
#include "world/World.h"

namespace gorb {

void FireBullet(Game& g, Boolean fromPlayer, Integer bulletType, Integer x, Integer y, Integer offX,
                Integer offY, Integer speedX, Integer speedY) {
    const int first = fromPlayer == True ? 1 : 61;
    const int last = fromPlayer == True ? 60 : 100;
    for (int k = first; k <= last; ++k) {
        BulletType& b = g.Obj.Bullets[k];
        if (b.Active != 0) continue;
        b = g.Types.BulletTypes.at(bulletType);
        b.Active = True;
        b.X = ToInteger(x + offX);
        b.Y = ToInteger(y + offY - b.Height / 2);
        if (speedX != 0) b.XSpeed = speedX;
        if (speedY != 0) b.YSpeed = speedY;
        if (b.FireSound >= 1) g.Sounds.Request(b.FireSound);
        return;
    }
}

}  // namespace gorb
