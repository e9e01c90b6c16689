#pragma once
// The game run's view of the media layer, the data loader and the menu, over the main form's
// media state.
#include <memory>

#include "world/MediaPort.h"

namespace gorb {

class GameForm;

std::unique_ptr<MediaPort> MakeFormMediaPort(GameForm& f);

// Copies what the media layer found at a display set-up (play-area origin, sheet sizes) into
// the game state.
void SyncDisplayFields(GameForm& f);

}  // namespace gorb
