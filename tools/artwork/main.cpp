// zv-artwork: draws every picture of the game into an output folder (skins, ui, icons), the skins and ui at each scale.
#include "artwork.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIR\n", argv[0]);
        return 2;
    }
    try {
        const std::string dir = argv[1];
        for (int scale : kScales) {
            writeSkins(scaleFolder(dir, scale), scale);
            writeChrome(scaleFolder(dir, scale), scale);
            // An icon is drawn at every size a desktop asks for, so it has no scales of its own. It follows the 1x
            // pictures as before, so the SVG comes out as before: Cairo names its group by the surfaces made until then.
            if (scale == 1) writeIcons(dir);
        }
        releaseTextResources();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zv-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
