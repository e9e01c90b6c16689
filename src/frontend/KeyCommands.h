#pragma once
// Typed key commands of the main form: pause, abandoning the game, skipping a picture
// sequence, and the cheat code with its debug keys. The handler only sets state that the frame
// loop and the picture sequences read; it runs in the menu, in a game and during sequences.
#include <functional>
#include <string_view>

#include "frontend/PictureSequences.h"
#include "world/Game.h"

namespace gorb {

inline constexpr std::string_view kCheatCode = "wombrex";

// Hands the player a pickup of that plane type, as collecting it would.
using PickupAction = std::function<void(Game& g, Integer pickupType)>;

// Upper bound of the frame period that repeated backslashes reach (a frame a second).
inline constexpr Integer kSlowestFrameTimeMs = 1035;

// The main form's key-press event. KeyAscii is read, not changed.
void Form_KeyPress(Game& g, const SequenceState& seq, Integer& keyAscii, const PickupAction& applyPickup);
// The same on the main form.
void Form_KeyPress(GameForm& f, Integer& keyAscii);

}  // namespace gorb
