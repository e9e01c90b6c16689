// Stand-in until the player's pickups land: a collected pickup changes nothing yet.
#include "world/World.h"

namespace gorb {

void ApplyPickup(Game&, Integer) {}

}  // namespace gorb
