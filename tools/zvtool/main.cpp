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

void Usage() {
    std::fputs("usage:\n"
               "  zvtool pack OUT.zvt IN0.bmp IN1.bmp ...   pack bitmaps in this order (\"-\" for an empty picture)\n"
               "  zvtool list FILE.zvt                      show the pictures of a theme\n"
               "  zvtool unpack FILE.zvt OUTDIR             write the pictures as OUTDIR/00.bmp, 01.bmp, ...\n",
               stderr);
}

std::vector<std::uint8_t> ReadFile(const std::string& path, std::size_t limit) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) throw ToolError(path + ": " + std::strerror(errno));
    std::vector<std::uint8_t> bytes;
    std::uint8_t piece[65536];
    for (;;) {
        const std::size_t got = std::fread(piece, 1, sizeof piece, f.get());
        bytes.insert(bytes.end(), piece, piece + got);
        if (bytes.size() > limit) throw ToolError(path + ": file too large");
        if (got < sizeof piece) break;
    }
    if (std::ferror(f.get())) throw ToolError(path + ": read error");
    return bytes;
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
            e.bitmap = ReadFile(in, zv::view::kMaxBitmapBytes);
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
    std::printf("%s: %zu pictures, %zu bytes\n", out.c_str(), entries.size(), bytes.size());
    return kExitOk;
}

int List(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadFile(path, zv::view::kMaxThemeFileSize);
    const std::vector<ThemeEntry> entries = zv::view::ReadThemeEntries(bytes.data(), bytes.size(), path);
    std::printf("%s: %zu pictures\n", path.c_str(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ThemeEntry& e = entries[i];
        zv::view::BmpInfo info;
        if (e.bitmap.empty())
            std::printf("%2zu  (no picture)", i);
        else if (!zv::view::ReadBmpInfo(e.bitmap.data(), e.bitmap.size(), info))
            std::printf("%2zu  (not a valid bitmap, %zu bytes)", i, e.bitmap.size());
        else
            std::printf("%2zu  %d x %d  %d bits%s", i, info.width, info.height, info.bitsPerPixel,
                        e.compressed ? "  compressed" : "");
        if (!e.description.empty()) std::printf("  \"%s\"", e.description.c_str());
        std::printf("\n");
    }
    return kExitOk;
}

int Unpack(const std::string& path, const std::string& dir) {
    const std::vector<std::uint8_t> bytes = ReadFile(path, zv::view::kMaxThemeFileSize);
    zv::ui::ImageList list;
    zv::view::LoadThemeBytes(bytes.data(), bytes.size(), path, list);
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
    std::printf("%s: %d pictures written to %s\n", path.c_str(), written, dir.c_str());
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
