#include "platform/Video.h"

#include <SDL.h>

namespace gorb {

bool StartVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace gorb
