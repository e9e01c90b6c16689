#include "frontend/UnlockedLevels.h"

#include "frontend/GameForm.h"

namespace gorb {

void ShowUnlockedLevels(GameForm& f, Integer gameType) {
    OptionGroup& levels = *f.optLevel;
    for (Integer i = 1; i <= 10; ++i) levels[i].SetVisible(false);
    Integer n = gameType == 0 ? f.G->Setup.HighestLevelNormal : f.G->Setup.HighestLevelRandom;
    for (Integer i = 1; i <= n && i <= 10; ++i) {
        levels[i].SetVisible(true);
        levels[i].SetEnabled(true);
    }
    // Downwards, one button per step, so each step's click action runs and StartLevel ends at N.
    for (Integer i = 10; i >= 1; --i)
        if (i > n && levels.Value(i)) levels.Select(static_cast<Integer>(i - 1));
}

}  // namespace gorb
