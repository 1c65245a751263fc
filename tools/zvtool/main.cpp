// zvtool: makes theme files (*.zvt) from bitmap pictures, lists them and unpacks them again.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "view/Bmp.h"
#include "ui/ImageList.h"
#include "view/SkinTheme.h"
#include "view/ThemeError.h"
#include "view/ThemeFile.h"

namespace {

using zv::view::ThemeEntry;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// A failure with a message for the user.
struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "1 picture", "2 pictures".
std::string Pictures(std::size_t n) { return std::to_string(n) + (n == 1 ? " picture" : " pictures"); }

void Usage() {
    std::fputs("usage:\n"
               "  zvtool pack OUT.zvt IN0.bmp IN1.bmp ...   pack bitmaps in this order (\"-\" for an empty picture)\n"
               "  zvtool list FILE.zvt                      show the pictures of a theme; fails when the game\n"
               "                                            would refuse it as a skin\n"
               "  zvtool unpack FILE.zvt OUTDIR             write the pictures as OUTDIR/00.bmp, 01.bmp, ...\n",
               stderr);
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) throw ToolError(path + ": " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());
        throw ToolError(path + ": write error");
    }
}

int Pack(const std::string& out, const std::vector<std::string>& inputs) {
    std::vector<ThemeEntry> entries;
    for (const std::string& in : inputs) {
        ThemeEntry e;
        if (in != "-") {
            e.bitmap = zv::view::ReadRegularFile(in, zv::view::kMaxBitmapBytes);
            try {
                // Pack only what the game itself would accept.
                zv::view::DecodeBmp(e.bitmap.data(), e.bitmap.size());
            } catch (const zv::view::ThemeError& err) {
                throw ToolError(in + ": " + err.what());
            }
        }
        entries.push_back(std::move(e));
    }
    const std::vector<std::uint8_t> bytes = zv::view::WriteThemeBytes(entries);
    if (bytes.size() > zv::view::kMaxThemeFileSize) throw ToolError(out + ": theme would exceed 64 MiB");
    WriteFile(out, bytes);
    std::printf("%s: %s, %zu bytes\n", out.c_str(), Pictures(entries.size()).c_str(), bytes.size());
    if (entries.size() < static_cast<std::size_t>(zv::view::kMinSkinPictures))
        std::fprintf(stderr, "zvtool pack: warning: %s\n", zv::view::TooFewSkinPictures(out, static_cast<int>(entries.size())).c_str());
    return kExitOk;
}

int List(const std::string& path) {
    const std::vector<std::uint8_t> bytes = zv::view::ReadRegularFile(path, zv::view::kMaxThemeFileSize);
    // Every picture is decoded as the game decodes it: what this accepts, the game takes as a skin.
    const zv::view::ThemeCheck check = zv::view::CheckSkinThemeBytes(bytes.data(), bytes.size(), path);
    if (check.announced >= 0) std::printf("%s: %s\n", path.c_str(), Pictures(static_cast<std::size_t>(check.announced)).c_str());
    for (std::size_t i = 0; i < check.pictures.size(); ++i) {
        const zv::view::ThemePictureInfo& p = check.pictures[i];
        if (p.bitmapBytes == 0)
            std::printf("%2zu  (no picture)", i);
        else
            std::printf("%2zu  %d x %d  %d bits%s", i, p.bitmap.width, p.bitmap.height, p.bitmap.bitsPerPixel,
                        p.compressed ? "  compressed" : "");
        if (!p.description.empty()) std::printf("  \"%s\"", p.description.c_str());
        std::printf("\n");
    }
    if (!check.fault.empty()) throw ToolError(check.fault);
    return kExitOk;
}

int Unpack(const std::string& path, const std::string& dir) {
    const std::vector<std::uint8_t> bytes = zv::view::ReadRegularFile(path, zv::view::kMaxThemeFileSize);
    zv::ui::ImageList list;
    try {
        zv::view::LoadThemeBytes(bytes.data(), bytes.size(), path, list);
    } catch (const zv::view::ThemeError& e) {
        // The check finds the same fault and says where it lies.
        const std::string fault = zv::view::CheckSkinThemeBytes(bytes.data(), bytes.size(), path).fault;
        throw ToolError(fault.empty() ? path + ": " + e.what() : fault);
    }
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) throw ToolError(dir + ": " + ec.message());
    int written = 0;
    for (int i = 0; i < list.Count(); ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d.bmp", i);
        SDL_Surface* s = list.Get(i);
        if (s == nullptr) {
            std::printf("%s: picture %d is empty, skipped\n", path.c_str(), i);
            continue;
        }
        const std::string target = (std::filesystem::path(dir) / name).string();
        if (SDL_SaveBMP(s, target.c_str()) != 0) throw ToolError(target + ": " + SDL_GetError());
        ++written;
    }
    std::printf("%s: %s written to %s\n", path.c_str(), Pictures(static_cast<std::size_t>(written)).c_str(), dir.c_str());
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        Usage();
        return kExitUsage;
    }
    const std::string command = argv[1];
    try {
        if (command == "pack" && argc >= 4)
            return Pack(argv[2], std::vector<std::string>(argv + 3, argv + argc));
        if (command == "list" && argc == 3) return List(argv[2]);
        if (command == "unpack" && argc == 4) return Unpack(argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zvtool %s: %s\n", command.c_str(), e.what());
        return kExitFailed;
    }
    Usage();
    return kExitUsage;
}
