// The tests run headless on SDL's dummy drivers. CTest's per-test environment reaches only the
// first variable of a discovered test's list, so the program sets them itself before any test
// starts SDL; a variable set from outside still wins.
#include <cstdlib>

namespace {

const bool kHeadless = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    return true;
}();

}  // namespace
