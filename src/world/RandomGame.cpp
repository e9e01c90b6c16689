// The random game's spawner: rows written on the fly for levels 1 to 10.
#include "world/World.h"

namespace gorb {

void StepRandomScript(Game&) {}

}  // namespace gorb
