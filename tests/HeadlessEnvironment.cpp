// Every test runs headless on SDL's dummy drivers, also when the test binary is started by
// hand. The environment that ctest passes cannot be relied on: gtest_discover_tests hands a
// list of variables on as separate properties, so only the first one arrives.
#include <cstdlib>

namespace {
const bool kHeadless = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    return true;
}();
}  // namespace
