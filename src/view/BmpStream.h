// Decoding a bitmap file handed over piece by piece, plain 24- and 32-bit rows straight into the final surface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/Surface.h"
#include "view/Bmp.h"

namespace zv::view {

// Takes the bytes of one bitmap file in pieces and gives what ReadBmpInfo and DecodeBmp give for
// the whole file. Plain 24- and 32-bit pictures are written into their surface as their rows
// arrive, so that only the surface and one row are held; every other file is kept whole and
// handed to DecodeBmp at the end.
class BmpStream {
public:
    // `mostBytes` bounds the size the file can reach: a picture whose rows could not all arrive is
    // kept whole instead, so that a few bytes of headers cannot have a large surface made early.
    explicit BmpStream(std::uint64_t mostBytes);

    void Append(const std::uint8_t* data, std::size_t size);
    // Bytes appended so far.
    std::uint64_t Size() const { return size_; }
    // ReadBmpInfo on every byte appended.
    bool Info(BmpInfo& info) const;
    // DecodeBmp on every byte appended, and the same exceptions; only once.
    zv::ui::SurfacePtr Decode();
    // Whether the rows go straight into the surface.
    bool Streaming() const { return mode_ == Mode::kRows; }

private:
    enum class Mode { kHeaders, kWhole, kRows };

    void Choose();
    // The bytes from offset `at` of the file: the parts of pixel rows among them go into the surface.
    void TakeRows(const std::uint8_t* data, std::size_t size, std::uint64_t at);
    void PutRow(std::uint64_t row, const std::uint8_t* in);

    std::uint64_t mostBytes_;
    Mode mode_ = Mode::kHeaders;
    std::uint64_t size_ = 0;
    std::vector<std::uint8_t> bytes_;  // the headers while they arrive; the whole file when it is kept whole
    BmpLayout layout_;
    zv::ui::SurfacePtr surface_;
    std::vector<std::uint8_t> row_;    // a row that straddles two pieces
};

} // namespace zv::view
