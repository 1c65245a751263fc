// Every test program runs headless unless told otherwise: no display, no sound card, a UTF-8 locale.
#include <cstdlib>

namespace {

struct HeadlessEnv {
    HeadlessEnv() {
        // Only defaults: a test run may still choose, e.g. SDL_AUDIODRIVER=disk.
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("NO_AT_BRIDGE", "1", 0);
        setenv("LANG", "C.UTF-8", 0);
    }
};

const HeadlessEnv kHeadlessEnv;

} // namespace
