// zv-ready: makes a built-in skin's background ready for the program to embed, when the program is built.
// Usage: zv-ready LIST1X.zvt LIST2X.zvt X Y OUTDIR NAME
// Writes OUTDIR/NAME and OUTDIR/s2/NAME (the skin's 1x and 2x lists without the background) and
// OUTDIR/NAME@Q.zvp for Q = 4 to 8 (the background packed at Q quarters, for the logical place X, Y). Every file is written, empty when the
// skin's background is not worth making ready, so the build knows its outputs beforehand.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "view/ReadyArtwork.h"
#include "view/ThemeFile.h"

namespace {

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fputs("usage: zv-ready LIST1X.zvt LIST2X.zvt X Y OUTDIR NAME\n", stderr);
        return 2;
    }
    try {
        const auto small = zv::view::ReadRegularFile(argv[1], zv::view::kMaxThemeFileSize);
        const auto large = zv::view::ReadRegularFile(argv[2], zv::view::kMaxThemeFileSize);
        const zv::view::ReadyArtwork ready = zv::view::MakeReadyArtwork(small, large, std::stoi(argv[3]), std::stoi(argv[4]));
        const std::filesystem::path out = argv[5];
        const std::string name = argv[6];
        Write(out / name, ready.list1x);
        Write(out / "s2" / name, ready.list2x);
        for (std::size_t i = 0; i < std::size(zv::view::kReadyQuarters); ++i)
            Write(out / zv::view::ReadyBackgroundName(name, zv::view::kReadyQuarters[i]),
                  i < ready.packed.size() ? ready.packed[i] : std::vector<std::uint8_t>{});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zv-ready: %s\n", e.what());
        return 1;
    }
    return 0;
}
