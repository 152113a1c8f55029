// Every test program runs headless and repeatable, however it is started (ctest, by hand,
// under a debugger): no display, no sound card, one rasteriser thread. Values already set
// in the environment win.
#include <cstdlib>

namespace {
struct TestEnvironment {
    TestEnvironment() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("LP_NUM_THREADS", "1", 0);
        setenv("TARNHOLLOW_GAME_DIR", TARNHOLLOW_GAME_DIR, 0);
    }
} environment;
} // namespace
