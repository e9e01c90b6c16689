#include "platform/Keyboard.h"

#include "platform/MessagePump.h"
#include "platform/PlatformError.h"

namespace gorb {

namespace {

struct KeyTable {
    KeyboardStateTable keys{};
    int devices = 0;
    int listener = 0;
};
KeyTable& Table() {
    static KeyTable t;
    return t;
}

void OnEvent(const SDL_Event& ev) {
    if (ev.type != SDL_KEYDOWN && ev.type != SDL_KEYUP) return;
    const uint8_t code = KeyCodeFromScancode(ev.key.keysym.scancode);
    if (code) Table().keys[code] = ev.type == SDL_KEYDOWN ? 0x80 : 0;
}

}  // namespace

uint8_t KeyCodeFromScancode(SDL_Scancode sc) {
    // Letters in keyboard order of the classic codes.
    static constexpr uint8_t letters[26] = {
        0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,  // A..M
        0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C   // N..Z
    };
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return letters[sc - SDL_SCANCODE_A];
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_0) return uint8_t(0x02 + (sc - SDL_SCANCODE_1));
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F10) return uint8_t(0x3B + (sc - SDL_SCANCODE_F1));
    switch (sc) {
        case SDL_SCANCODE_ESCAPE: return 0x01;
        case SDL_SCANCODE_MINUS: return 0x0C;
        case SDL_SCANCODE_EQUALS: return 0x0D;
        case SDL_SCANCODE_BACKSPACE: return 0x0E;
        case SDL_SCANCODE_TAB: return 0x0F;
        case SDL_SCANCODE_LEFTBRACKET: return 0x1A;
        case SDL_SCANCODE_RIGHTBRACKET: return 0x1B;
        case SDL_SCANCODE_RETURN: return 0x1C;
        case SDL_SCANCODE_LCTRL: return 0x1D;
        case SDL_SCANCODE_SEMICOLON: return 0x27;
        case SDL_SCANCODE_APOSTROPHE: return 0x28;
        case SDL_SCANCODE_GRAVE: return 0x29;
        case SDL_SCANCODE_LSHIFT: return 0x2A;
        case SDL_SCANCODE_BACKSLASH: return 0x2B;
        case SDL_SCANCODE_COMMA: return 0x33;
        case SDL_SCANCODE_PERIOD: return 0x34;
        case SDL_SCANCODE_SLASH: return 0x35;
        case SDL_SCANCODE_RSHIFT: return 0x36;
        case SDL_SCANCODE_KP_MULTIPLY: return 0x37;
        case SDL_SCANCODE_LALT: return 0x38;
        case SDL_SCANCODE_SPACE: return 0x39;
        case SDL_SCANCODE_CAPSLOCK: return 0x3A;
        case SDL_SCANCODE_NUMLOCKCLEAR: return 0x45;
        case SDL_SCANCODE_SCROLLLOCK: return 0x46;
        case SDL_SCANCODE_KP_7: return 0x47;
        case SDL_SCANCODE_KP_8: return 0x48;
        case SDL_SCANCODE_KP_9: return 0x49;
        case SDL_SCANCODE_KP_MINUS: return 0x4A;
        case SDL_SCANCODE_KP_4: return 0x4B;
        case SDL_SCANCODE_KP_5: return 0x4C;
        case SDL_SCANCODE_KP_6: return 0x4D;
        case SDL_SCANCODE_KP_PLUS: return 0x4E;
        case SDL_SCANCODE_KP_1: return 0x4F;
        case SDL_SCANCODE_KP_2: return 0x50;
        case SDL_SCANCODE_KP_3: return 0x51;
        case SDL_SCANCODE_KP_0: return 0x52;
        case SDL_SCANCODE_KP_PERIOD: return 0x53;
        case SDL_SCANCODE_F11: return 0x57;
        case SDL_SCANCODE_F12: return 0x58;
        case SDL_SCANCODE_KP_ENTER: return 0x9C;
        case SDL_SCANCODE_RCTRL: return 0x9D;
        case SDL_SCANCODE_KP_DIVIDE: return 0xB5;
        case SDL_SCANCODE_PRINTSCREEN: return 0xB7;
        case SDL_SCANCODE_RALT: return 0xB8;
        case SDL_SCANCODE_PAUSE: return 0xC5;
        case SDL_SCANCODE_HOME: return 0xC7;
        case SDL_SCANCODE_UP: return 0xC8;
        case SDL_SCANCODE_PAGEUP: return 0xC9;
        case SDL_SCANCODE_LEFT: return 0xCB;
        case SDL_SCANCODE_RIGHT: return 0xCD;
        case SDL_SCANCODE_END: return 0xCF;
        case SDL_SCANCODE_DOWN: return 0xD0;
        case SDL_SCANCODE_PAGEDOWN: return 0xD1;
        case SDL_SCANCODE_INSERT: return 0xD2;
        case SDL_SCANCODE_DELETE: return 0xD3;
        case SDL_SCANCODE_LGUI: return 0xDB;
        case SDL_SCANCODE_RGUI: return 0xDC;
        case SDL_SCANCODE_APPLICATION: return 0xDD;
        default: return 0;
    }
}

KeyboardDevice::KeyboardDevice() {
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
        throw PlatformError(err::Generic, std::string("No keyboard: ") + SDL_GetError(), "KeyboardDevice");
    KeyTable& t = Table();
    if (t.devices++ == 0) t.listener = AddEventListener(OnEvent);
}

KeyboardDevice::~KeyboardDevice() {
    KeyTable& t = Table();
    if (--t.devices == 0) {
        RemoveEventListener(t.listener);
        t.keys.fill(0);
    }
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

void KeyboardDevice::SetCommonDataFormat(int32_t format) {
    if (format != dinput::FORMAT_KEYBOARD)
        throw PlatformError(err::InvalidProcedureCall, "Not a keyboard data format", "KeyboardDevice");
    format_ = format;
}
void KeyboardDevice::SetCooperativeLevel(int32_t) {}
void KeyboardDevice::Acquire() {
    if (format_ != dinput::FORMAT_KEYBOARD)
        throw PlatformError(err::InvalidProcedureCall, "No data format set", "KeyboardDevice");
    acquired_ = true;
}
void KeyboardDevice::Unacquire() { acquired_ = false; }

void KeyboardDevice::GetDeviceStateKeyboard(KeyboardStateTable& state) const {
    if (!acquired_) throw PlatformError(dinput::ERR_NOTACQUIRED, "Keyboard not acquired", "KeyboardDevice");
    state = Table().keys;
    // A key held since before the table listened (fire held through "Begin", an arrow held
    // into a level) sent its event to nobody: SDL's own state knows it is down.
    int count = 0;
    const uint8_t* held = SDL_GetKeyboardState(&count);
    for (int sc = 0; held && sc < count; ++sc)
        if (held[sc])
            if (const uint8_t code = KeyCodeFromScancode(static_cast<SDL_Scancode>(sc))) state[code] = 0x80;
}

void InjectKey(SDL_Scancode sc, bool down) {
    SDL_Event ev{};
    ev.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    ev.key.timestamp = SDL_GetTicks();
    ev.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    ev.key.keysym.scancode = sc;
    ev.key.keysym.sym = SDL_GetKeyFromScancode(sc);
    SDL_PushEvent(&ev);
}

}  // namespace gorb
