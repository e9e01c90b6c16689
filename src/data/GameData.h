#pragma once
// The tables the game-data loader fills from the string table: movement paths, level scripts,
// mission targets, the boss step of each script and the random game's pools. One value, owned
// by whoever holds the game, kept across games (BossStep keeps its first-load values).
// Arrays keep the game's index order and ranges: PathTable[step][row][path] etc.
#include <array>

#include "platform/Arithmetic.h"

namespace gorb {

namespace path_row {
constexpr int DY = 0;    // added to Y each frame
constexpr int DX = 1;    // subtracted from X each frame (+ = to the left); 99 ends the path
constexpr int Anim = 2;  // animation number; at the end step a negative N chains to path -N
}  // namespace path_row

namespace script_part {
constexpr int Delay = 0;
constexpr int Type = 1;  // 99 ends the script; pickups stored as 52..63
constexpr int Path = 2;
constexpr int Y = 3;
}  // namespace script_part

struct GameData {
    // PathTable[step 0..100][row 0..2][path 0..200]
    std::array<std::array<std::array<Integer, 201>, 3>, 101> PathTable{};
    // LevelScript[component 0..4][level 0..13][group 0..450]
    std::array<std::array<std::array<Integer, 451>, 14>, 5> LevelScript{};
    // Mission-target objects still to be removed, by level 0..13.
    std::array<Integer, 14> MissionTargets{};
    // By level 0..10: the group just before the script's first boss spawn. Set only while 0.
    std::array<Integer, 11> BossStep{};
    // Random game: LevelTypePool[level 0..11][k 0..30], k from 1.
    std::array<std::array<Integer, 31>, 12> LevelTypePool{};
    std::array<Integer, 12> LevelTypePoolCount{};
    // TypePathPool[type 0..100][k 0..12], k from 1.
    std::array<std::array<Integer, 13>, 101> TypePathPool{};
    std::array<Integer, 101> TypePathPoolCount{};
    // LevelPickupPool[level 0..11][k 0..30], k from 1.
    std::array<std::array<Integer, 31>, 12> LevelPickupPool{};
    std::array<Integer, 12> LevelPickupPoolCount{};
};

}  // namespace gorb
