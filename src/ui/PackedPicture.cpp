// Band-wise LZ4 packing of large pictures.
#include "ui/PackedPicture.h"

#include <lz4.h>

#include <algorithm>
#include <cstring>

#include "ui/Draw.h"

namespace zv::ui {

namespace {

// About 32 KiB of pixels a band: small enough that a repaint of a label unpacks little, large enough that
// the compressor finds the repeats of a row in the rows around it.
constexpr int kBandBytes = 32 * 1024;
// Below this a picture is left as it is: packing would save less than its bookkeeping costs in code paths.
constexpr long kSmallest = 256 * 1024;

} // namespace

std::shared_ptr<const PackedPicture> PackedPicture::Pack(SDL_Surface* picture) {
    if (!picture || !picture->pixels || picture->w <= 0 || picture->h <= 0) return nullptr;
    if (static_cast<long>(picture->pitch) * picture->h < kSmallest) return nullptr;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(picture, &mode);
    if (mode != SDL_BLENDMODE_NONE || SDL_HasColorKey(picture) || SDL_ISPIXELFORMAT_INDEXED(picture->format->format))
        return nullptr;
    std::shared_ptr<PackedPicture> p(new PackedPicture());
    p->w_ = picture->w;
    p->h_ = picture->h;
    p->format_ = picture->format->format;
    p->pitch_ = picture->w * picture->format->BytesPerPixel;
    p->bandRows_ = std::max(1, kBandBytes / p->pitch_);
    const int bands = (p->h_ + p->bandRows_ - 1) / p->bandRows_;
    std::vector<char> band(static_cast<std::size_t>(p->bandRows_) * static_cast<std::size_t>(p->pitch_));
    std::vector<char> packed(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(band.size()))));
    if (SDL_MUSTLOCK(picture)) SDL_LockSurface(picture);
    for (int b = 0; b < bands; ++b) {
        const int rows = p->Rows(b);
        for (int r = 0; r < rows; ++r)
            std::memcpy(band.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(p->pitch_),
                        static_cast<const char*>(picture->pixels) + static_cast<std::ptrdiff_t>(b * p->bandRows_ + r) * picture->pitch,
                        static_cast<std::size_t>(p->pitch_));
        const int n = LZ4_compress_default(band.data(), packed.data(), rows * p->pitch_, static_cast<int>(packed.size()));
        if (n <= 0) break;
        p->start_.push_back(static_cast<std::uint32_t>(p->data_.size()));
        p->data_.insert(p->data_.end(), packed.begin(), packed.begin() + n);
    }
    if (SDL_MUSTLOCK(picture)) SDL_UnlockSurface(picture);
    p->start_.push_back(static_cast<std::uint32_t>(p->data_.size()));
    // Noise or a photograph: held as it is.
    if (static_cast<int>(p->start_.size()) != bands + 1 || p->data_.size() * 2 > static_cast<std::size_t>(p->pitch_) * p->h_)
        return nullptr;
    p->data_.shrink_to_fit();
    return p;
}

int PackedPicture::Rows(int b) const { return std::min(bandRows_, h_ - b * bandRows_); }

bool PackedPicture::UnpackBand(int b, std::vector<std::uint8_t>& out) const {
    const int size = Rows(b) * pitch_;
    out.resize(static_cast<std::size_t>(bandRows_) * static_cast<std::size_t>(pitch_));
    const auto from = start_[static_cast<std::size_t>(b)], to = start_[static_cast<std::size_t>(b) + 1];
    return LZ4_decompress_safe(data_.data() + from, reinterpret_cast<char*>(out.data()), static_cast<int>(to - from), size) == size;
}

void PackedPicture::Draw(SDL_Surface* target, int x, int y) const {
    if (!target) return;
    SDL_Rect clip, mine{x, y, w_, h_}, area;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    std::vector<std::uint8_t> band;
    const int first = (area.y - y) / bandRows_, last = (area.y + area.h - 1 - y) / bandRows_;
    for (int b = first; b <= last; ++b) {
        if (!UnpackBand(b, band)) return;
        SDL_Surface* rows = SDL_CreateRGBSurfaceWithFormatFrom(band.data(), w_, Rows(b), SDL_BITSPERPIXEL(format_), pitch_, format_);
        if (!rows) return;
        // Only the columns and rows inside the clip: the blit clips again, but need not convert the rest.
        const SDL_Rect from{area.x - x, 0, area.w, Rows(b)};
        SDL_SetSurfaceBlendMode(rows, SDL_BLENDMODE_NONE);
        Blit(rows, &from, target, area.x, y + b * bandRows_);
        SDL_FreeSurface(rows);
    }
}

SurfacePtr PackedPicture::Unpack() const {
    SurfacePtr out = AdoptSurface(SDL_CreateRGBSurfaceWithFormat(0, w_, h_, SDL_BITSPERPIXEL(format_), format_));
    if (!out) return nullptr;
    std::vector<std::uint8_t> band;
    for (int b = 0; b * bandRows_ < h_; ++b) {
        if (!UnpackBand(b, band)) return nullptr;
        for (int r = 0; r < Rows(b); ++r)
            std::memcpy(static_cast<std::uint8_t*>(out->pixels) + static_cast<std::ptrdiff_t>(b * bandRows_ + r) * out->pitch,
                        band.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(pitch_), static_cast<std::size_t>(pitch_));
    }
    return out;
}

std::size_t PackedPicture::PackedBytes() const { return data_.size() + start_.size() * sizeof(std::uint32_t); }

} // namespace zv::ui
