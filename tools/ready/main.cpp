// zv-ready: makes artwork ready for the program to embed, when the program is built, by the steps the program
// would otherwise take the first time it draws it.
//   zv-ready background LIST1X.zvt LIST2X.zvt X Y OUTDIR NAME
//     writes OUTDIR/NAME and OUTDIR/s2/NAME (the skin's 1x and 2x lists without the background) and
//     OUTDIR/NAME@Q.zvp for Q = 4 to 8 (the background packed at Q quarters, for the logical place X, Y);
//   zv-ready picture PICTURE1X.bmp PICTURE2X.zvt OUTDIR NAME
//     writes OUTDIR/NAME@Q-V.zvr for Q = 5 to 7 and V = 0 to 3 (the 2x picture reduced to each size it may have
//     at Q quarters), and OUTDIR/NAME@4-0.zvr and OUTDIR/NAME@8-0.zvr (the 1x and 2x pictures as they are drawn,
//     unpacked);
//   zv-ready list READY2X.zvt WHOLE2X.zvt OUTDIR READYNAME WHOLENAME
//     writes a skin's 2x list as the window holds it once decoded, unpacked: OUTDIR/READYNAME from the list made
//     ready without its background (READY2X) when there is one, else OUTDIR/WHOLENAME from the whole list;
//   zv-ready hint OUTDIR NAME
//     writes OUTDIR/NAME@4-0.zvr and OUTDIR/NAME@8-0.zvr (the hint area's lamp as drawn for 1x and 2x).
// Every file is written, empty where there is nothing worth making, so the build knows its outputs beforehand.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/ImageList.h"
#include "ui/PictureBytes.h"
#include "view/Bmp.h"
#include "view/HintGlyph.h"
#include "view/ReadyArtwork.h"
#include "view/ThemeFile.h"

namespace {

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

void Background(char** arg) {
    const auto small = zv::view::ReadRegularFile(arg[0], zv::view::kMaxThemeFileSize);
    const auto large = zv::view::ReadRegularFile(arg[1], zv::view::kMaxThemeFileSize);
    const zv::view::ReadyArtwork ready = zv::view::MakeReadyArtwork(small, large, std::stoi(arg[2]), std::stoi(arg[3]));
    const std::filesystem::path out = arg[4];
    const std::string name = arg[5];
    Write(out / name, ready.list1x);
    Write(out / "s2" / name, ready.list2x);
    for (std::size_t i = 0; i < std::size(zv::view::kReadyQuarters); ++i)
        Write(out / zv::view::ReadyBackgroundName(name, zv::view::kReadyQuarters[i]),
              i < ready.packed.size() ? ready.packed[i] : std::vector<std::uint8_t>{});
}

void Picture(char** arg) {
    // As the program decodes its 1x pictures for drawing.
    const auto bitmap = zv::view::ReadRegularFile(arg[0], zv::view::kMaxThemeFileSize);
    const zv::ui::SurfacePtr small = zv::view::DecodeBmp(bitmap.data(), bitmap.size());
    const SDL_Point logical{small->w, small->h};
    const auto bytes = zv::view::ReadRegularFile(arg[1], zv::view::kMaxThemeFileSize);
    zv::ui::ImageList drawn;
    zv::view::LoadThemeBytes(bytes.data(), bytes.size(), arg[1], drawn);
    if (drawn.Count() < 1 || !drawn.Get(0)) throw std::runtime_error(std::string(arg[1]) + ": no picture");
    const auto made = zv::view::MakeReadyPictures(logical, drawn.Get(0));
    const std::filesystem::path out = arg[2];
    std::size_t i = 0;
    for (int quarters : zv::view::kReadyFractions)
        for (int v = 0; v < zv::view::kReadyVariants; ++v, ++i) Write(out / zv::view::ReadyPictureName(arg[3], quarters, v), made.at(i));
    Write(out / zv::view::ReadyPictureName(arg[3], 4, 0), zv::ui::PlainPictureBytes(small.get()));
    Write(out / zv::view::ReadyPictureName(arg[3], 8, 0), zv::ui::PlainPictureBytes(drawn.Get(0)));
}

void List(char** arg) {
    // The ready list is empty where the skin's background was not made ready: the window decodes the whole list
    // then. The whole list of a skin whose background is ready is drawn only at 4x; it is not kept twice.
    const bool ready = std::filesystem::file_size(arg[0]) > 0;
    const auto bytes = zv::view::ReadRegularFile(arg[ready ? 0 : 1], zv::view::kMaxThemeFileSize);
    const std::filesystem::path out = arg[2];
    Write(out / arg[3], ready ? zv::view::MakeReadyList(bytes) : std::vector<std::uint8_t>{});
    Write(out / arg[4], ready ? std::vector<std::uint8_t>{} : zv::view::MakeReadyList(bytes));
}

void Hint(char** arg) {
    const std::filesystem::path out = arg[0];
    for (int scale : {1, 2})
        Write(out / zv::view::ReadyPictureName(arg[1], 4 * scale, 0), zv::ui::PlainPictureBytes(zv::view::DrawHintGlyph(scale).get()));
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!(mode == "background" && argc == 8) && !(mode == "picture" && argc == 6) && !(mode == "hint" && argc == 4) &&
        !(mode == "list" && argc == 7)) {
        std::fputs("usage: zv-ready background LIST1X.zvt LIST2X.zvt X Y OUTDIR NAME\n"
                   "       zv-ready picture PICTURE1X.bmp PICTURE2X.zvt OUTDIR NAME\n"
                   "       zv-ready list READY2X.zvt WHOLE2X.zvt OUTDIR READYNAME WHOLENAME\n"
                   "       zv-ready hint OUTDIR NAME\n",
                   stderr);
        return 2;
    }
    try {
        if (mode == "background") Background(argv + 2);
        else if (mode == "picture") Picture(argv + 2);
        else if (mode == "list") List(argv + 2);
        else Hint(argv + 2);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zv-ready: %s\n", e.what());
        return 1;
    }
    return 0;
}
