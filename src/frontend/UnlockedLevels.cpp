#include "frontend/UnlockedLevels.h"

#include "frontend/GameForm.h"

namespace gorb {

void ShowUnlockedLevels(OptionGroup& optLevel, Integer highestNormal, Integer highestRandom, Integer gameType) {
    const Integer top = static_cast<Integer>(optLevel.Count() - 1);
    for (Integer i = 1; i <= top; ++i) optLevel[i].SetVisible(false);
    // A progress outside the buttons (a damaged value in memory) offers what exists.
    const Integer n = ToInteger(Clamp(gameType == 0 ? highestNormal : highestRandom, 0, top < 0 ? 0 : top));
    for (Integer i = 1; i <= n; ++i) {
        optLevel[i].SetVisible(true);
        optLevel[i].SetEnabled(true);
    }
    // Downwards, so a selection above n passes each button on its way to n.
    for (Integer i = top; i >= 1; --i)
        if (i > n && optLevel.Value(i)) optLevel.Select(static_cast<Integer>(i - 1));
}

void ShowUnlockedLevels(GameForm& f, Integer gameType) {
    ShowUnlockedLevels(*f.optLevel, f.G->Setup.HighestLevelNormal, f.G->Setup.HighestLevelRandom, gameType);
}

}  // namespace gorb
