#pragma once
// Keyboard and joystick set-up, the joystick event callback that copies the stick into the
// game's joystick fields, and the keyboard read the player code uses.
#include <memory>
#include <vector>

#include "platform/Arithmetic.h"
#include "media/MediaFields.h"
#include "platform/Joystick.h"
#include "platform/Keyboard.h"

namespace gorb {

struct MediaState;

struct InputObjects {
    std::unique_ptr<DirectInput> DInput;
    std::unique_ptr<KeyboardDevice> Keyboard;
    std::vector<JoystickInstance> JoystickEnum;
    std::unique_ptr<JoystickDevice> Joystick;
    Long JoystickEvent = 0;  // 0 = none
    JoystickCaps Caps;
    JoystickState State;
};

// Sets up the keyboard, and the first joystick when joystickMode is set (cleared when none is
// attached). A failing joystick step is logged (four lines) and the game goes on. The joystick
// event calls back into media, fields and settings, which must outlive it (the event is
// destroyed by ReleaseDirectDraw).
void SetupDirectInput(MediaState& media, Boolean& joystickMode, JoystickFields& fields,
                      const JoystickSettings& settings);

// The joystick event: reads the stick into the joystick fields; a lost or unacquired stick is
// re-acquired and the fields are left as they were. Never fails.
void DirectXEvent_DXCallback(InputObjects& input, JoystickFields& fields, const JoystickSettings& settings,
                             Long eventid);

// Fills keys from the keyboard device (all keys up when there is none).
void ReadKeyboardState(const InputObjects& input, KeyboardStateTable& keys);

// Destroys the joystick event, once. Part of ReleaseDirectDraw.
void ReleaseJoystickEvent(InputObjects& input);

// Drops the keyboard device, then DirectInput (the unload handler's input release).
void ReleaseDirectInput(InputObjects& input);

}  // namespace gorb
