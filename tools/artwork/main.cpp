// zv-artwork: draws every picture of the game into an output folder (skins, ui, icons).
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
        writeSkins(dir);
        writeChrome(dir);
        writeIcons(dir);
        releaseTextResources();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zv-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
