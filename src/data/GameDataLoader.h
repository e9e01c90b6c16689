#pragma once
// The game-data loader: the level design (animations, paths, level scripts, the random game's
// pools and the harder boss difficulty's extra spawns) is carried as comma lists in the string
// table. Each entry is "header,values...," with its quote characters; see GameData.h for the
// tables it fills.
//
// Bad data stops the program the way the game always has: a message box, then the sound
// objects released and the main form unloaded, through the hooks below. The real game's unload
// hook ends the process by throwing its process-end value, which passes through these
// functions untouched. If the unload hook returns instead (tests), the load goes no further
// and the function returns false. Nothing is ever read or written outside a table.
#include <functional>
#include <string>

#include "data/GameData.h"
#include "data/Records.h"

namespace gorb {

// A string-table entry by id, exactly as stored (with its quote characters). The game passes
// res::LoadString; a missing id may throw PlatformError and stops the load like bad data.
using StringSource = std::function<std::string(int id)>;

struct DataStopHooks {
    std::function<void(const std::string& text)> MessageBox;  // OK-only message box
    std::function<void()> ReleaseSounds;
    std::function<void()> UnloadMainForm;  // the game's unload ends the process (throws)
};

// Ids of the six ranges, in load order, with their group widths.
struct DataRange {
    int FirstId, LastId, GroupWidth;
};
inline constexpr DataRange kDataRanges[6] = {{101, 273, 1}, {281, 454, 3}, {471, 483, 4},
                                             {491, 500, 1}, {501, 524, 1}, {531, 540, 1}};
// Harder boss difficulty, level L = 1..13: anchor, inserted groups, extra mission targets.
inline constexpr int kAnchorIdBase = 540;
inline constexpr int kSpliceIdBase = 560;
inline constexpr int kExtraTargetsIdBase = 580;
// BossDifficulty value of the harder setting ("Blekker").
inline constexpr Integer kBossDifficultyHard = 1;

// At every game start, after the type templates exist: resets MissionTargets, parses every
// range (splicing the extra boss groups into each level script when bossDifficulty is 1) and
// makes the animation copies between plane templates. True when everything loaded.
bool LoadGameData(TypeTables& types, GameData& data, Integer bossDifficulty, const StringSource& strings,
                  const DataStopHooks& hooks);

// One entry without its quote characters into the tables of range rangeNo 1..6; groupWidth
// must be the range's (1, 3, 4, 1, 1, 1; anything else is a programming error and throws
// std::invalid_argument). False when the text stopped the program.
bool ParseDataString(const std::string& text, int rangeNo, int groupWidth, TypeTables& types, GameData& data,
                     const DataStopHooks& hooks);

// Reads the field after the comma at pos (0 for the first field; positions are 1-based):
// commaPos := the comma after it, field := its value, pos := commaPos. False when the text
// stopped the program (no comma follows, or the field is not a 16-bit decimal number).
bool ReadNextField(const std::string& text, Long& commaPos, Long& pos, Integer& field,
                   const DataStopHooks& hooks);

}  // namespace gorb
