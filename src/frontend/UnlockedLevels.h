#pragma once
// The start levels offered per game type: "Level 1" always, the others up to the progress of
// the normal or the random game.
#include "platform/Arithmetic.h"
#include "platform/Controls.h"

namespace gorb {

class GameForm;

// Shows and enables optLevel(1..N) and hides the rest, N being highestNormal for game type 0
// and highestRandom for any other type; a selection above N moves down to N, one button at a
// time, each selection running the group's click action. Button 0 is never touched.
void ShowUnlockedLevels(OptionGroup& optLevel, Integer highestNormal, Integer highestRandom, Integer gameType);

// The same on the main form, with the game's progress values.
void ShowUnlockedLevels(GameForm& f, Integer gameType);

}  // namespace gorb
