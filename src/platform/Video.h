#pragma once
// SDL's video, started in one place for every window of the program: the splash, a message box
// shown before the display exists, and the display itself.

namespace gorb {

// Starts SDL's video unless it runs already; false when it cannot be started. Before it starts,
// SDL is asked for window framebuffers without GL and for its software renderer, at default
// priority, so that the user's environment (SDL_FRAMEBUFFER_ACCELERATION, SDL_RENDER_DRIVER)
// still decides: on a desktop without a GPU, SDL's GL renderer runs in software and costs more
// than the whole game.
bool StartVideo();

}  // namespace gorb
