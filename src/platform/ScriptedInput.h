#pragma once
// Scripted input for the headless host: events pushed into SDL's queue, handled at the next
// message pump exactly as the player's clicks and keys are.
#include <SDL.h>

#include <cstdint>
#include <string_view>

namespace gorb {

// A left click (press and release) at window coordinates; window 0 is the display.
void ScriptClick(int x, int y, uint32_t windowId = 0);
// Typed text: one text event per character, as the keyboard sends them.
void ScriptText(std::string_view utf8);
// A key press and release without text (Esc, Enter, arrows...).
void ScriptKey(SDL_Keycode key, uint16_t mod = KMOD_NONE);
// Left Alt held while the key is pressed: the access key of a caption.
void ScriptAltKey(char key);
// Closing the display's window.
void ScriptWindowClose();

}  // namespace gorb
