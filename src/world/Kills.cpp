// Damage and kills of the objects and of the player.
#include "world/World.h"

namespace gorb {

void KillObject(Game& g, Integer slot) {
    PlaneRecord& r = g.Obj.Planes.at(slot);
    r.FallSpeed = 0;
    r.Dying = True;
}

void KillPlayer(Game& g) {
    PlaneRecord& p = g.Player();
    p.Dying = True;
    p.FallSpeed = 0;
}

}  // namespace gorb
