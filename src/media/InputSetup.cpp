#include "media/InputSetup.h"

#include <string>

#include "media/ErrorLog.h"
#include "media/MediaState.h"
#include "platform/PlatformError.h"

namespace gorb {

namespace {

constexpr int32_t kNonExclusiveBackground = dinput::SCL_NONEXCLUSIVE | dinput::SCL_BACKGROUND;  // 10
constexpr int32_t kDeadZone = 1000;
constexpr int32_t kRangeMax = 10000;

// Button numbers past the state's 32 buttons (the settings admit up to 128) name no button.
Boolean Pressed(const JoystickState& state, Integer button) {
    if (button < 0 || button >= static_cast<int>(state.buttons.size())) return False;
    return state.buttons[button] != 0 ? True : False;
}

}  // namespace

void SetupDirectInput(MediaState& media, Boolean& joystickMode, JoystickFields& fields,
                      const JoystickSettings& settings) {
    InputObjects& in = media.Input;
    const MediaHooks& hooks = media.Hooks;
    std::string step;
    try {
        // The keyboard. The original left this untrapped; a failure here is logged like the
        // joystick steps and the game goes on with the keys reading as up.
        SetStep(hooks, step, "Creating Keyboard Device");
        in.Keyboard.reset();
        in.DInput = std::make_unique<DirectInput>();
        in.Keyboard = std::make_unique<KeyboardDevice>();
        in.Keyboard->SetCommonDataFormat(dinput::FORMAT_KEYBOARD);
        in.Keyboard->SetCooperativeLevel(kNonExclusiveBackground);
        in.Keyboard->Acquire();
    } catch (const PlatformError& e) {
        in.Keyboard.reset();
        LogStandardError(logprefix::SetupDirectInput, step, e);
        return;
    }
    if (joystickMode == False) return;

    try {
        SetStep(hooks, step, "Enumerating Joysticks");
        in.JoystickEnum = in.DInput->GetDIEnumDevices(dinput::DEVTYPE_JOYSTICK, dinput::EDFL_ATTACHEDONLY);
        if (in.JoystickEnum.empty()) {
            joystickMode = False;
            return;
        }
        SetStep(hooks, step, "Creating Event Handler");
        // An event left by an earlier game start without a display release is not needed again.
        ReleaseJoystickEvent(in);
        in.JoystickEvent = CreateEvent([&media, &fields, &settings](int32_t id) {
            DirectXEvent_DXCallback(media.Input, fields, settings, id);
        });
        SetStep(hooks, step, "Nullifying Joystick Device");
        in.Joystick.reset();
        SetStep(hooks, step, "Creating Joystick Device");
        in.Joystick = std::make_unique<JoystickDevice>(in.JoystickEnum.front().InstanceId);
        SetStep(hooks, step, "Setting Common Format");
        in.Joystick->SetCommonDataFormat(dinput::FORMAT_JOYSTICK);
        SetStep(hooks, step, "Setting Coop Level");
        in.Joystick->SetCooperativeLevel(kNonExclusiveBackground);
        SetStep(hooks, step, "Getting Caps");
        in.Caps = in.Joystick->GetCapabilities();
        SetStep(hooks, step, "Setting event notification");
        in.Joystick->SetEventNotification(in.JoystickEvent);
        in.Joystick->SetDeadZone(dinput::OFS_X, kDeadZone);
        in.Joystick->SetDeadZone(dinput::OFS_Y, kDeadZone);
        in.Joystick->SetSaturation(dinput::OFS_X, settings.JoySaturation);
        in.Joystick->SetSaturation(dinput::OFS_Y, settings.JoySaturation);
        SetStep(hooks, step, "setting properties");
        in.Joystick->SetRange(0, kRangeMax);
        SetStep(hooks, step, "Acquiring Joystick Device");
        in.Joystick->Acquire();
        SetStep(hooks, step, "doing first callback");
        DirectXEvent_DXCallback(in, fields, settings, 0);
    } catch (const PlatformError& e) {
        // Logged only: the game goes on, with the joystick perhaps half set up.
        LogStandardError(logprefix::SetupDirectInput, step, e);
    }
}

void DirectXEvent_DXCallback(InputObjects& in, JoystickFields& fields, const JoystickSettings& settings,
                             Long /*eventid*/) {
    if (!in.Joystick) return;
    try {
        in.Joystick->GetDeviceState(in.State);
    } catch (const PlatformError& e) {
        if (e.Number == dinput::ERR_NOTACQUIRED || e.Number == dinput::ERR_INPUTLOST) {
            try {
                in.Joystick->Acquire();
            } catch (const PlatformError&) {
            }
            return;
        }
        // Any other failure: the previous state is used.
    }
    fields.JoystickFire = Pressed(in.State, settings.JoyFireButton);
    fields.JoystickBomb = Pressed(in.State, settings.JoyBombButton);
    fields.JoystickEject = Pressed(in.State, settings.JoyEjectButton);
    fields.JoystickX = in.State.x;
    fields.JoystickY = in.State.y;
}

void ReadKeyboardState(const InputObjects& in, KeyboardStateTable& keys) {
    if (in.Keyboard) {
        try {
            in.Keyboard->GetDeviceStateKeyboard(keys);
            return;
        } catch (const PlatformError&) {
        }
    }
    keys.fill(0);
}

void ReleaseJoystickEvent(InputObjects& in) {
    if (in.JoystickEvent != 0) {
        try {
            DestroyEvent(in.JoystickEvent);
        } catch (const PlatformError&) {
        }
        in.JoystickEvent = 0;
    }
}

void ReleaseDirectInput(InputObjects& in) {
    in.Keyboard.reset();
    in.DInput.reset();
}

}  // namespace gorb
