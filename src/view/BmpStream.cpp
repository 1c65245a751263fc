// Bitmap files decoded as their bytes arrive: a large picture never exists as a file and a surface at once.
#include "view/BmpStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "view/ThemeError.h"

namespace zv::view {

BmpStream::BmpStream(std::uint64_t mostBytes) : mostBytes_(mostBytes) {}

void BmpStream::Append(const std::uint8_t* data, std::size_t size) {
    if (mode_ == Mode::kHeaders) {
        // Nothing is decided before the largest header could be complete.
        const std::size_t take = std::min(size, kMaxBmpHeadersBytes - bytes_.size());
        bytes_.insert(bytes_.end(), data, data + take);
        size_ += take;
        data += take;
        size -= take;
        if (bytes_.size() < kMaxBmpHeadersBytes) return;
        Choose();
    }
    if (mode_ == Mode::kWhole) {
        bytes_.insert(bytes_.end(), data, data + size);
    } else {
        TakeRows(data, size, size_);
    }
    size_ += size;
}

void BmpStream::Choose() {
    mode_ = Mode::kWhole;
    // Headers that no size would make acceptable are refused by DecodeBmp at the end, as any other kind
    // of bitmap is decoded there.
    if (!ReadBmpHeaders(bytes_.data(), bytes_.size(), layout_)) return;
    const BmpInfo& info = layout_.info;
    if (info.compression != 0 || (info.bitsPerPixel != 24 && info.bitsPerPixel != 32)) return;
    if (layout_.leastSize > mostBytes_) return;
    // DecodeBmp makes its surface the same way, so that both give the same surface; when this fails
    // it would fail there too, and the file is kept to fail there.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, info.width, info.height, 32, SDL_PIXELFORMAT_RGB888);
    if (surface == nullptr) return;
    surface_ = zv::ui::AdoptSurface(surface);
    row_.resize(static_cast<std::size_t>(layout_.rowBytes));
    mode_ = Mode::kRows;
    TakeRows(bytes_.data(), bytes_.size(), 0);
    std::vector<std::uint8_t>().swap(bytes_);
}

void BmpStream::TakeRows(const std::uint8_t* data, std::size_t size, std::uint64_t at) {
    const std::uint64_t rowBytes = layout_.rowBytes;
    const std::uint64_t begin = layout_.pixelOffset;
    const std::uint64_t end = begin + rowBytes * static_cast<std::uint64_t>(layout_.info.height);
    const std::uint64_t from = std::max(at, begin);
    const std::uint64_t to = std::min(at + size, end);
    if (from >= to) return;
    const std::uint8_t* in = data + (from - at);
    std::uint64_t offset = from - begin;
    std::uint64_t left = to - from;
    while (left > 0) {
        const std::uint64_t row = offset / rowBytes;
        const std::uint64_t column = offset % rowBytes;
        if (column == 0 && left >= rowBytes) {
            PutRow(row, in);
            in += rowBytes;
            offset += rowBytes;
            left -= rowBytes;
            continue;
        }
        const std::uint64_t take = std::min(left, rowBytes - column);
        std::memcpy(row_.data() + column, in, static_cast<std::size_t>(take));
        in += take;
        offset += take;
        left -= take;
        if (column + take == rowBytes) PutRow(row, row_.data());
    }
}

void BmpStream::PutRow(std::uint64_t row, const std::uint8_t* in) {
    const BmpInfo& info = layout_.info;
    const int y = info.topDown ? static_cast<int>(row) : info.height - 1 - static_cast<int>(row);
    auto* px = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface_->pixels) + y * surface_->pitch);
    // The fourth byte of a 32-bit pixel is dropped, as DecodeBmp's conversion to RGB888 drops it.
    const std::size_t step = info.bitsPerPixel == 32 ? 4 : 3;
    for (int x = 0; x < info.width; ++x, in += step)
        px[x] = static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[1]) << 8 | in[0];
}

bool BmpStream::Info(BmpInfo& info) const {
    if (mode_ != Mode::kRows) return ReadBmpInfo(bytes_.data(), bytes_.size(), info);
    if (size_ < layout_.leastSize) return false;
    info = layout_.info;
    return true;
}

zv::ui::SurfacePtr BmpStream::Decode() {
    if (mode_ != Mode::kRows) return DecodeBmp(bytes_.data(), bytes_.size());
    // Every row has arrived exactly when the file is long enough to be accepted.
    if (size_ > static_cast<std::uint64_t>(INT32_MAX) || size_ < layout_.leastSize) throw ThemeError(kBitmapNotValid);
    return std::move(surface_);
}

} // namespace zv::view
