#pragma once
// The start levels offered for a game type: those its progress has unlocked.
#include "platform/Arithmetic.h"

namespace gorb {

class GameForm;

// Shows and enables optLevel(1..N) for the progress N of the game type (0 normal, any other
// value random), hides the rest, and moves a selection above N down to N.
void ShowUnlockedLevels(GameForm& f, Integer gameType);

}  // namespace gorb
