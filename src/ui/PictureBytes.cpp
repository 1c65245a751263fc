// A picture as bytes: "ZVRP", then little-endian words (width, height, SDL pixel format, blend mode), then its rows
// without padding, compressed as one LZ4 block; or "ZVRW", the same words, and the rows as they are. A list of
// pictures: "ZVRL", their count, then for each the size of its plain bytes, the bytes and up to three zeros, so
// that every picture's pixels begin on a four-byte boundary.
#include "ui/PictureBytes.h"

#include <lz4.h>

#include <cstdint>
#include <cstring>

#include "ui/Words.h"

namespace zv::ui {

namespace {

constexpr char kMagic[4] = {'Z', 'V', 'R', 'P'}, kPlainMagic[4] = {'Z', 'V', 'R', 'W'}, kListMagic[4] = {'Z', 'V', 'R', 'L'};
// Most pictures a list may hold: far more than any skin has.
constexpr std::uint32_t kLargestList = 4096;
constexpr std::size_t kHead = 4 + 4 * 4;
constexpr int kLargestSide = 16384;
// Most bytes of pixels a picture read back may hold: far more than any reduced artwork.
constexpr std::size_t kLargestPixels = 64u << 20;

bool PlainFormat(std::uint32_t format) {
    const int bytes = SDL_BYTESPERPIXEL(format);
    return !SDL_ISPIXELFORMAT_INDEXED(format) && !SDL_ISPIXELFORMAT_FOURCC(format) && (bytes == 3 || bytes == 4);
}

// The head of either kind, and the rows without padding.
std::vector<std::uint8_t> Head(SDL_Surface* picture, const char (&magic)[4], std::vector<char>& rows) {
    const auto row = static_cast<std::size_t>(picture->w) * picture->format->BytesPerPixel;
    rows.resize(row * static_cast<std::size_t>(picture->h));
    for (int y = 0; y < picture->h; ++y)
        std::memcpy(rows.data() + row * static_cast<std::size_t>(y), static_cast<const std::uint8_t*>(picture->pixels) + y * picture->pitch, row);
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(picture, &mode);
    std::vector<std::uint8_t> out(magic, magic + 4);
    PutWord(out, static_cast<std::uint32_t>(picture->w));
    PutWord(out, static_cast<std::uint32_t>(picture->h));
    PutWord(out, picture->format->format);
    PutWord(out, static_cast<std::uint32_t>(mode));
    return out;
}

bool Usable(SDL_Surface* picture) {
    return picture && picture->pixels && picture->w > 0 && picture->h > 0 && PlainFormat(picture->format->format);
}

// The head's words, checked: the size, format and blend mode of a picture the program may hold.
bool ReadHead(const std::uint8_t* bytes, std::uint32_t& w, std::uint32_t& h, std::uint32_t& format, std::uint32_t& mode) {
    w = WordAt(bytes + 4), h = WordAt(bytes + 8), format = WordAt(bytes + 12), mode = WordAt(bytes + 16);
    return w >= 1 && w <= kLargestSide && h >= 1 && h <= kLargestSide && PlainFormat(format) &&
           (mode == SDL_BLENDMODE_NONE || mode == SDL_BLENDMODE_BLEND) &&
           static_cast<std::size_t>(w) * h * static_cast<std::size_t>(SDL_BYTESPERPIXEL(format)) <= kLargestPixels;
}

} // namespace

std::vector<std::uint8_t> PictureBytes(SDL_Surface* picture) {
    if (!Usable(picture)) return {};
    std::vector<char> rows;
    std::vector<std::uint8_t> out = Head(picture, kMagic, rows);
    out.resize(kHead + static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(rows.size()))));
    const int n = LZ4_compress_default(rows.data(), reinterpret_cast<char*>(out.data() + kHead), static_cast<int>(rows.size()),
                                       static_cast<int>(out.size() - kHead));
    if (n <= 0) return {};
    out.resize(kHead + static_cast<std::size_t>(n));
    return out;
}

std::vector<std::uint8_t> PlainPictureBytes(SDL_Surface* picture) {
    if (!Usable(picture)) return {};
    std::vector<char> rows;
    std::vector<std::uint8_t> out = Head(picture, kPlainMagic, rows);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

SDL_Point PictureBytesSize(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < kHead || (std::memcmp(bytes, kMagic, 4) != 0 && std::memcmp(bytes, kPlainMagic, 4) != 0)) return {0, 0};
    return {static_cast<int>(WordAt(bytes + 4) & 0x7FFFFFFF), static_cast<int>(WordAt(bytes + 8) & 0x7FFFFFFF)};
}

SurfacePtr PictureFromBytes(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < kHead || std::memcmp(bytes, kMagic, 4) != 0) return nullptr;
    std::uint32_t w, h, format, mode;
    if (!ReadHead(bytes, w, h, format, mode)) return nullptr;
    SurfacePtr out = AdoptSurface(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(w), static_cast<int>(h), SDL_BITSPERPIXEL(format), format));
    if (!out) return nullptr;
    const auto row = static_cast<std::size_t>(w) * out->format->BytesPerPixel;
    const std::size_t whole = row * h;
    const auto* packed = reinterpret_cast<const char*>(bytes + kHead);
    const int packedSize = static_cast<int>(size - kHead);
    if (static_cast<std::size_t>(out->pitch) == row) {
        if (LZ4_decompress_safe(packed, static_cast<char*>(out->pixels), packedSize, static_cast<int>(whole)) != static_cast<int>(whole))
            return nullptr;
    } else {
        std::vector<char> rows(whole);
        if (LZ4_decompress_safe(packed, rows.data(), packedSize, static_cast<int>(whole)) != static_cast<int>(whole)) return nullptr;
        for (std::uint32_t y = 0; y < h; ++y)
            std::memcpy(static_cast<std::uint8_t*>(out->pixels) + y * static_cast<std::size_t>(out->pitch), rows.data() + row * y, row);
    }
    SDL_SetSurfaceBlendMode(out.get(), static_cast<SDL_BlendMode>(mode));
    return out;
}

SurfacePtr PictureOver(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < kHead || std::memcmp(bytes, kPlainMagic, 4) != 0) return nullptr;
    std::uint32_t w, h, format, mode;
    if (!ReadHead(bytes, w, h, format, mode)) return nullptr;
    const auto row = static_cast<std::size_t>(w) * static_cast<std::size_t>(SDL_BYTESPERPIXEL(format));
    const std::uint8_t* pixels = bytes + kHead;
    // Four-byte pixels are read a word at a time.
    if (size - kHead != row * h || (SDL_BYTESPERPIXEL(format) == 4 && reinterpret_cast<std::uintptr_t>(pixels) % 4 != 0)) return nullptr;
    SurfacePtr out = AdoptSurface(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(pixels), static_cast<int>(w), static_cast<int>(h),
                                                                     SDL_BITSPERPIXEL(format), static_cast<int>(row), format));
    if (out) SDL_SetSurfaceBlendMode(out.get(), static_cast<SDL_BlendMode>(mode));
    return out;
}

std::vector<std::uint8_t> PlainPictureListBytes(const std::vector<SDL_Surface*>& pictures) {
    std::vector<std::uint8_t> out(kListMagic, kListMagic + 4);
    PutWord(out, static_cast<std::uint32_t>(pictures.size()));
    for (SDL_Surface* picture : pictures) {
        const std::vector<std::uint8_t> one = picture ? PlainPictureBytes(picture) : std::vector<std::uint8_t>{};
        if (picture && one.empty()) return {};
        PutWord(out, static_cast<std::uint32_t>(one.size()));
        out.insert(out.end(), one.begin(), one.end());
        out.resize((out.size() + 3) & ~std::size_t{3});
    }
    return out;
}

std::optional<std::vector<SurfacePtr>> PicturesOver(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size < 8 || std::memcmp(bytes, kListMagic, 4) != 0) return std::nullopt;
    const std::uint32_t count = WordAt(bytes + 4);
    if (count > kLargestList) return std::nullopt;
    std::vector<SurfacePtr> pictures;
    std::size_t at = 8;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (size - at < 4) return std::nullopt;
        const std::uint32_t length = WordAt(bytes + at);
        at += 4;
        if (length > size - at) return std::nullopt;
        if (length == 0) {
            pictures.push_back(nullptr);
        } else {
            SurfacePtr picture = PictureOver(bytes + at, length);
            if (!picture) return std::nullopt;
            pictures.push_back(std::move(picture));
        }
        at += (static_cast<std::size_t>(length) + 3) & ~std::size_t{3};
        if (at > size) return std::nullopt;
    }
    if (at != size) return std::nullopt;
    return pictures;
}

} // namespace zv::ui
