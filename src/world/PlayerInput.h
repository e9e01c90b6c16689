#pragma once
// The player's keys in the keyboard state table, by their classic key codes.
#include <cstdint>

#include "world/Game.h"

namespace gorb {

namespace key {
constexpr uint8_t Up = 0xC8;
constexpr uint8_t Down = 0xD0;
constexpr uint8_t Left = 0xCB;
constexpr uint8_t Right = 0xCD;
constexpr uint8_t Fire = 0x1D;   // left Ctrl
constexpr uint8_t Item = 0x38;   // left Alt
constexpr uint8_t Eject = 0x2A;  // left Shift
}  // namespace key

inline bool KeyDown(const Game& g, uint8_t code) { return g.Controls.KeyboardState[code] != 0; }

}  // namespace gorb
