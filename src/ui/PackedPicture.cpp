// Band-wise LZ4 packing of large pictures.
#include "ui/PackedPicture.h"

#include <lz4.h>

#include <algorithm>
#include <cstring>

#include "ui/Draw.h"
#include "ui/Words.h"

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
    PackedRows rows(picture->w, picture->h, picture->format->format);
    const auto bytes = static_cast<std::size_t>(picture->w * picture->format->BytesPerPixel);
    if (SDL_MUSTLOCK(picture)) SDL_LockSurface(picture);
    for (int y = 0; y < picture->h; ++y)
        std::memcpy(rows.Next(), static_cast<const std::uint8_t*>(picture->pixels) + static_cast<std::ptrdiff_t>(y) * picture->pitch, bytes);
    if (SDL_MUSTLOCK(picture)) SDL_UnlockSurface(picture);
    return rows.Finish();
}

PackedRows::PackedRows(int w, int h, Uint32 format) : made_(new PackedPicture()) {
    PackedPicture& p = *made_;
    p.w_ = std::max(1, w);
    p.h_ = std::max(1, h);
    p.format_ = format;
    p.pitch_ = p.w_ * SDL_BYTESPERPIXEL(format);
    p.bandRows_ = std::max(1, kBandBytes / p.pitch_);
    band_.resize(static_cast<std::size_t>(p.bandRows_) * static_cast<std::size_t>(p.pitch_));
    packed_.resize(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(band_.size()))));
}

void PackedRows::Flush() {
    if (rows_ == 0 || failed_) return;
    PackedPicture& p = *made_;
    const int n = LZ4_compress_default(reinterpret_cast<const char*>(band_.data()), packed_.data(), rows_ * p.pitch_,
                                       static_cast<int>(packed_.size()));
    if (n <= 0) {
        failed_ = true;
        return;
    }
    p.start_.push_back(static_cast<std::uint32_t>(p.data_.size()));
    p.data_.insert(p.data_.end(), packed_.begin(), packed_.begin() + n);
    done_ += rows_;
    rows_ = 0;
}

std::uint8_t* PackedRows::Next() {
    if (rows_ == made_->bandRows_) Flush();
    return band_.data() + static_cast<std::size_t>(rows_++) * static_cast<std::size_t>(made_->pitch_);
}

std::shared_ptr<const PackedPicture> PackedRows::Finish() {
    Flush();
    PackedPicture& p = *made_;
    p.start_.push_back(static_cast<std::uint32_t>(p.data_.size()));
    // Noise or a photograph: better held as it is.
    if (failed_ || done_ != p.h_ || static_cast<long>(p.pitch_) * p.h_ < kSmallest ||
        p.data_.size() * 2 > static_cast<std::size_t>(p.pitch_) * static_cast<std::size_t>(p.h_))
        return nullptr;
    p.data_.shrink_to_fit();
    p.packed_ = p.data_.data();
    return std::move(made_);
}

int PackedPicture::Rows(int b) const { return std::min(bandRows_, h_ - b * bandRows_); }

bool PackedPicture::UnpackBand(int b, std::vector<std::uint8_t>& out) const {
    const int size = Rows(b) * pitch_;
    out.resize(static_cast<std::size_t>(bandRows_) * static_cast<std::size_t>(pitch_));
    const auto from = start_[static_cast<std::size_t>(b)], to = start_[static_cast<std::size_t>(b) + 1];
    return LZ4_decompress_safe(packed_ + from, reinterpret_cast<char*>(out.data()), static_cast<int>(to - from), size) == size;
}

void PackedPicture::Draw(SDL_Surface* target, int x, int y) const {
    if (!target) return;
    SDL_Rect clip, mine{x, y, w_, h_}, area;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    std::vector<std::uint8_t> band;
    const int first = (area.y - y) / bandRows_, last = (area.y + area.h - 1 - y) / bandRows_;
    // One surface over the band's buffer for every band: SDL works out how to blit from it to the target once.
    band.resize(static_cast<std::size_t>(bandRows_) * static_cast<std::size_t>(pitch_));
    SDL_Surface* rows = SDL_CreateRGBSurfaceWithFormatFrom(band.data(), w_, bandRows_, SDL_BITSPERPIXEL(format_), pitch_, format_);
    if (!rows) return;
    SDL_SetSurfaceBlendMode(rows, SDL_BLENDMODE_NONE);
    for (int b = first; b <= last; ++b) {
        if (!UnpackBand(b, band)) break;
        // Only the columns and rows inside the clip: the blit clips again, but need not convert the rest.
        const SDL_Rect from{area.x - x, 0, area.w, Rows(b)};
        Blit(rows, &from, target, area.x, y + b * bandRows_);
    }
    SDL_FreeSurface(rows);
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

namespace {

// Bytes: "ZVPK", then little-endian words: width, height, SDL pixel format, the number of bands, where each band
// begins after the words and where the last one ends; then the bands.
constexpr char kMagic[4] = {'Z', 'V', 'P', 'K'};
constexpr std::size_t kHeadWords = 4;

} // namespace

std::vector<std::uint8_t> PackedPicture::Bytes() const {
    std::vector<std::uint8_t> out(kMagic, kMagic + 4);
    PutWord(out, static_cast<std::uint32_t>(w_));
    PutWord(out, static_cast<std::uint32_t>(h_));
    PutWord(out, format_);
    PutWord(out, static_cast<std::uint32_t>(start_.size() - 1));
    for (std::uint32_t at : start_) PutWord(out, at);
    out.insert(out.end(), packed_, packed_ + start_.back());
    return out;
}

std::shared_ptr<const PackedPicture> PackedPicture::Over(const std::uint8_t* bytes, std::size_t size) {
    constexpr int kLargestSide = 16384;
    if (!bytes || size < 4 + 4 * kHeadWords || std::memcmp(bytes, kMagic, 4) != 0) return nullptr;
    const std::uint8_t* word = bytes + 4;
    const std::uint32_t w = WordAt(word), h = WordAt(word + 4), format = WordAt(word + 8), bands = WordAt(word + 12);
    const int pixel = SDL_BYTESPERPIXEL(format);
    if (w < 1 || w > kLargestSide || h < 1 || h > kLargestSide || SDL_ISPIXELFORMAT_INDEXED(format) ||
        SDL_ISPIXELFORMAT_FOURCC(format) || (pixel != 3 && pixel != 4))
        return nullptr;
    std::shared_ptr<PackedPicture> p(new PackedPicture());
    p->w_ = static_cast<int>(w);
    p->h_ = static_cast<int>(h);
    p->format_ = format;
    p->pitch_ = p->w_ * pixel;
    p->bandRows_ = std::max(1, kBandBytes / p->pitch_);
    if (bands != (h + static_cast<std::uint32_t>(p->bandRows_) - 1) / static_cast<std::uint32_t>(p->bandRows_)) return nullptr;
    const std::size_t table = 4 + 4 * kHeadWords + 4 * (static_cast<std::size_t>(bands) + 1);
    if (size < table) return nullptr;
    p->start_.resize(bands + 1);
    for (std::size_t b = 0; b <= bands; ++b) {
        p->start_[b] = WordAt(word + 4 * (kHeadWords + b));
        if (b == 0 ? p->start_[b] != 0 : p->start_[b] < p->start_[b - 1]) return nullptr;
    }
    if (p->start_.back() != size - table) return nullptr;
    p->packed_ = reinterpret_cast<const char*>(bytes + table);
    return p;
}

} // namespace zv::ui
