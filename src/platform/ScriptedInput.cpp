#include "platform/ScriptedInput.h"

#include <cstring>

namespace gorb {

namespace {
void Push(SDL_Event& e) {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) SDL_InitSubSystem(SDL_INIT_EVENTS);
    e.common.timestamp = SDL_GetTicks();
    SDL_PushEvent(&e);
}

void PushKey(Uint32 type, SDL_Keycode key, uint16_t mod) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = mod;
    Push(e);
}
}  // namespace

void ScriptClick(int x, int y, uint32_t windowId) {
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = windowId;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
        Push(e);
    }
}

void ScriptText(std::string_view utf8) {
    for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80) ++n;
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::memcpy(e.text.text, utf8.data() + i, n);
        Push(e);
        i += n;
    }
}

void ScriptKey(SDL_Keycode key, uint16_t mod) {
    PushKey(SDL_KEYDOWN, key, mod);
    PushKey(SDL_KEYUP, key, mod);
}

void ScriptAltKey(char key) {
    PushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    ScriptKey(static_cast<SDL_Keycode>(key), KMOD_LALT);
    PushKey(SDL_KEYUP, SDLK_LALT, KMOD_NONE);
}

void ScriptWindowClose() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    Push(e);
}

}  // namespace gorb
