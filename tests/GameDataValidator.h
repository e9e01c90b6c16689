#pragma once
// Checks a string table's game data against everything the game code relies on: it loads the
// table with the real loader and type templates, then follows what the spawners, the object
// update and the kill rules would do with it. Each problem is one readable line; an empty list
// means the data is safe to ship for that boss difficulty.
#include <map>
#include <string>
#include <vector>

#include "platform/Arithmetic.h"

namespace gorb::test {

using StringTable = std::map<int, std::string>;

// Every entry of the embedded string table.
StringTable ShippedStringTable();

std::vector<std::string> ValidateGameData(const StringTable& table, Integer bossDifficulty);

}  // namespace gorb::test
