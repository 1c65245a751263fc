// zvtool: makes theme files (*.zvt) from BMP and PNG pictures, lists them and unpacks them again.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

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

constexpr const char* kFormatsTaken = "zvtool takes BMP files of 1, 4, 8, 24 or 32 bits per pixel and PNG files";

void Usage() {
    std::fputs("usage:\n"
               "  zvtool pack OUT.zvt IN0.png IN1.bmp ...   pack BMP or PNG pictures in this order (\"-\" for an\n"
               "                                            empty picture)\n"
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

bool IsPng(const std::vector<std::uint8_t>& bytes) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    return bytes.size() >= 8 && std::memcmp(bytes.data(), kSignature, 8) == 0;
}

void PutLe(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) v[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A PNG picture as the 24-bit bitmap file a theme holds. Themes keep no transparency: a partly
// transparent pixel is laid over black, as it would be over the dark face of an empty cell.
std::vector<std::uint8_t> PngAsBitmap(const std::string& in, const std::vector<std::uint8_t>& png) {
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
        stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h, &channels, 4), &stbi_image_free);
    if (!rgba) throw ToolError(in + ": the PNG picture cannot be read (" + stbi_failure_reason() + ")");
    if (w > zv::view::kMaxBmpSide || h > zv::view::kMaxBmpSide)
        throw ToolError(in + ": the picture is " + std::to_string(w) + " x " + std::to_string(h) + " pixels, more than a theme takes");
    const std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(h);
    std::vector<std::uint8_t> bmp(54 + pixelBytes, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLe(bmp, 2, static_cast<std::uint32_t>(bmp.size()), 4);
    PutLe(bmp, 10, 54, 4);
    PutLe(bmp, 14, 40, 4);
    PutLe(bmp, 18, static_cast<std::uint32_t>(w), 4);
    PutLe(bmp, 22, static_cast<std::uint32_t>(h), 4);
    PutLe(bmp, 26, 1, 2);
    PutLe(bmp, 28, 24, 2);
    PutLe(bmp, 34, static_cast<std::uint32_t>(pixelBytes), 4);
    for (int y = 0; y < h; ++y) {
        // Bitmap rows run from the bottom up, each pixel blue, green, red.
        std::uint8_t* row = bmp.data() + 54 + rowBytes * static_cast<std::size_t>(h - 1 - y);
        const stbi_uc* src = rgba.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 4;
        for (int x = 0; x < w; ++x, src += 4) {
            const unsigned a = src[3];
            for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<std::uint8_t>((src[2 - c] * a + 127) / 255);
        }
    }
    return bmp;
}

// A picture file as the bitmap file the theme keeps: BMP as it is, PNG converted.
std::vector<std::uint8_t> PictureAsBitmap(const std::string& in) {
    std::vector<std::uint8_t> bytes = zv::view::ReadRegularFile(in, zv::view::kMaxBitmapBytes);
    if (IsPng(bytes)) bytes = PngAsBitmap(in, bytes);
    else if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        throw ToolError(in + ": neither a BMP nor a PNG picture; " + kFormatsTaken);
    try {
        // Pack only what the game itself would accept.
        zv::view::DecodeBmp(bytes.data(), bytes.size());
    } catch (const zv::view::ThemeError& err) {
        throw ToolError(in + ": " + err.what() + "; " + kFormatsTaken);
    }
    return bytes;
}

int Pack(const std::string& out, const std::vector<std::string>& inputs) {
    std::vector<ThemeEntry> entries;
    for (const std::string& in : inputs) {
        ThemeEntry e;
        if (in != "-") e.bitmap = PictureAsBitmap(in);
        entries.push_back(std::move(e));
    }
    const std::vector<std::uint8_t> bytes = zv::view::WriteThemeBytes(entries);
    if (bytes.size() > zv::view::kMaxThemeFileSize) throw ToolError(out + ": theme would exceed 64 MiB");
    WriteFile(out, bytes);
    std::printf("%s: %s, %zu bytes\n", out.c_str(), Pictures(entries.size()).c_str(), bytes.size());
    // The file is written either way (a theme may be put together in steps); what the game would refuse is said.
    const std::string fault = zv::view::CheckSkinThemeBytes(bytes.data(), bytes.size(), out).fault;
    if (!fault.empty()) std::fprintf(stderr, "zvtool pack: warning: %s\n", fault.c_str());
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
