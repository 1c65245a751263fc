// A large opaque picture (a window's background) kept compressed in bands of rows and unpacked band by band as
// it is drawn: it costs a fraction of its pixels in memory, and a repaint of a small area unpacks only its rows.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/Surface.h"

namespace zv::ui {

class PackedPicture {
public:
    // Null for a picture that is not worth it: one with a colour key or blending (its look depends on what lies
    // under it), a small one, or one whose rows do not compress.
    static std::shared_ptr<const PackedPicture> Pack(SDL_Surface* picture);

    int Width() const { return w_; }
    int Height() const { return h_; }
    // Draws the whole picture with its top-left corner at (x, y) on the target, within the target's clip, as
    // SDL_BlitSurface would draw the picture it was made from.
    void Draw(SDL_Surface* target, int x, int y) const;
    // The picture as it was packed.
    SurfacePtr Unpack() const;
    // Bytes held, for the memory figures.
    std::size_t PackedBytes() const;

    // The packed picture as bytes that Over reads back: made when the program is built, kept in the program.
    std::vector<std::uint8_t> Bytes() const;
    // A packed picture drawn from bytes Bytes made, read where they lie: they must outlive it. Null when they are
    // not such bytes (each band is checked again as it is unpacked).
    static std::shared_ptr<const PackedPicture> Over(const std::uint8_t* bytes, std::size_t size);

private:
    friend class PackedRows;
    PackedPicture() = default;
    // Unpacks band b into out (bandRows_ * pitch_ bytes); the last band may have fewer rows.
    bool UnpackBand(int b, std::vector<std::uint8_t>& out) const;
    int Rows(int b) const;

    int w_ = 0, h_ = 0, pitch_ = 0, bandRows_ = 0;
    std::uint32_t format_ = 0;
    std::vector<std::uint32_t> start_; // where each band begins in the packed bytes, and one more entry: the end
    std::vector<char> data_;           // the packed bytes, unless they lie elsewhere (Over)
    const char* packed_ = nullptr;     // the packed bytes, wherever they lie
};

// Packs a picture made row by row from the top, so the whole picture is never held unpacked.
class PackedRows {
public:
    PackedRows(int w, int h, Uint32 format);
    // Where the next row's pixels go (w pixels of the format, no padding).
    std::uint8_t* Next();
    // The picture once every row is in; null when it did not pay (see PackedPicture::Pack).
    std::shared_ptr<const PackedPicture> Finish();

private:
    void Flush();

    std::shared_ptr<PackedPicture> made_;
    std::vector<std::uint8_t> band_;
    std::vector<char> packed_;
    int rows_ = 0, done_ = 0;
    bool failed_ = false;
};

} // namespace zv::ui
