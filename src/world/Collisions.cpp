// The player's collisions with objects and pickups, and the bullets' hits.
#include "world/World.h"

namespace gorb {

void CheckPlayerCollisions(Game&) {}

}  // namespace gorb
