#pragma once
// The system keyboard as the game reads it: a 256-byte table indexed by the classic keyboard
// scan codes (0xCB left, 0xCD right, 0xC8 up, 0xD0 down, 0x1D left Ctrl, 0x38 left Alt,
// 0x2A left Shift, ...), a byte of 0x80 for a key that is down. A key is down when the SDL key
// events the message pump handed out say so (keys pushed into SDL's queue by tests count
// exactly like typed ones; SDL's own key state ignores pushed events) or when SDL's own key
// state holds it (a key already held when the device was set up sent its event before anyone
// listened).
#include <SDL.h>

#include <array>
#include <cstdint>

namespace gorb {

using KeyboardStateTable = std::array<uint8_t, 256>;

namespace dinput {
constexpr int32_t FORMAT_KEYBOARD = 1;
constexpr int32_t FORMAT_JOYSTICK = 3;
constexpr int32_t SCL_NONEXCLUSIVE = 2;
constexpr int32_t SCL_BACKGROUND = 8;

constexpr uint8_t DIK_ESCAPE = 0x01, DIK_1 = 0x02, DIK_0 = 0x0B, DIK_P = 0x19, DIK_A = 0x1E,
                  DIK_Z = 0x2C, DIK_LCONTROL = 0x1D, DIK_LSHIFT = 0x2A, DIK_LMENU = 0x38,
                  DIK_SPACE = 0x39, DIK_UP = 0xC8, DIK_LEFT = 0xCB, DIK_RIGHT = 0xCD,
                  DIK_DOWN = 0xD0;

// Error numbers of a device that was unplugged or taken away, and of one not acquired.
constexpr int32_t ERR_INPUTLOST = static_cast<int32_t>(0x8007001E);
constexpr int32_t ERR_NOTACQUIRED = static_cast<int32_t>(0x8007000C);
}  // namespace dinput

// The classic code of an SDL scancode, 0 for a key the game's keyboard has no code for.
uint8_t KeyCodeFromScancode(SDL_Scancode sc);

class KeyboardDevice {
public:
    // Starts following key events (the events subsystem is started if needed).
    KeyboardDevice();
    ~KeyboardDevice();
    KeyboardDevice(const KeyboardDevice&) = delete;
    KeyboardDevice& operator=(const KeyboardDevice&) = delete;

    void SetCommonDataFormat(int32_t format);
    void SetCooperativeLevel(int32_t flags);
    void Acquire();
    void Unacquire();
    // The keys down now. Throws PlatformError (not acquired) before Acquire.
    void GetDeviceStateKeyboard(KeyboardStateTable& state) const;

private:
    bool acquired_ = false;
    int32_t format_ = 0;
};

// --- for tests: push a key event into SDL's queue (it counts once messages are pumped) ---
void InjectKey(SDL_Scancode sc, bool down);

}  // namespace gorb
