// Theme files (*.zvt): a serialised image list of bitmap pictures, read into an image list and written by the tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/ImageList.h"
#include "view/Bmp.h"

namespace zv::view {

// Largest theme file the game reads.
inline constexpr std::size_t kMaxThemeFileSize = 64u << 20;
// Most pictures a theme may hold, and most bytes of bitmap data and decoded pixels together
// over the whole load: beyond either the load reports "Out of memory" instead of exhausting it.
inline constexpr std::int64_t kMaxThemePictures = 65536;
inline constexpr std::size_t kMaxThemeBytes = 256u << 20;
// Largest bitmap file of one picture: more than the biggest acceptable picture needs.
inline constexpr std::size_t kMaxBitmapBytes = 80u << 20;

// Name the signature-mismatch message gives for the list class.
inline constexpr const char* kImageListClassName = "ImageList";

// One picture record of a theme file, with its bitmap file bytes not yet decoded.
struct ThemeEntry {
    std::vector<std::uint8_t> bitmap;  // a complete BMP file; empty means no picture
    std::string description;           // at most 255 bytes
    std::int32_t identifier = 0;
    int pixelFormat = 0;               // 0 to 3
    bool compressed = true;
};

// What reading a picture learnt of its bitmap file besides the picture.
struct ThemeBitmapFacts {
    std::size_t bytes = 0;  // size of the bitmap file; 0 for an empty picture
    BmpInfo info;           // what its headers say, once the picture is made
};

// Reads theme data record by record; every length is checked against what the data still holds.
class ThemeReader {
public:
    ThemeReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // Reads the 9-byte signature; false when it is missing or different.
    bool ReadSignature();
    // Reads the picture count and skips the offset table; a negative count reads as 0.
    int ReadCount();
    // Reads the next picture record, expanding compressed picture data.
    void ReadRecord(ThemeEntry& entry);
    // Reads the next picture record and makes its picture: what ReadRecord and DecodeThemeEntry do
    // together, the same checks in the same order with the same outcome, but without a copy of the
    // bitmap file: plain bitmaps are decoded where they lie, and compressed ones chunk by chunk, their
    // 24- and 32-bit rows straight into the picture (other kinds are gathered whole first).
    zv::ui::Picture ReadPicture(ThemeBitmapFacts* facts = nullptr);
    // Counts bytes held for the theme against kMaxThemeBytes.
    void Charge(std::size_t bytes);
    // Where the next read begins; after a failed read, where the read that failed began.
    std::size_t Offset() const { return pos_; }
    std::size_t Size() const { return size_; }

private:
    void Need(std::size_t bytes) const;
    std::uint8_t ReadByte();
    std::int32_t ReadInt32();
    // Reads the fields before the picture data; true when picture data follows.
    bool ReadRecordHead(ThemeEntry& entry);
    // Reads and checks the size of uncompressed picture data, which then begins at Offset().
    std::size_t ReadPlainLength();
    // Reads and checks the size of the chunk area of compressed picture data.
    std::int64_t ReadChunkArea();
    // Reads the chunks of an area, `expand` making each one's bytes and returning how many.
    template <class Expand>
    void ReadChunks(std::int64_t area, Expand&& expand);
    void ReadCompressed(std::vector<std::uint8_t>& out);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::size_t charged_ = 0;
};

// Makes the picture of a record as a load does: its bitmap checked, counted against the theme's
// limits and decoded. Throws ThemeError as LoadThemeBytes does.
zv::ui::Picture DecodeThemeEntry(ThemeReader& reader, ThemeEntry&& entry);

// Replaces the content of `list` with the pictures of a theme file, every picture converted
// to SDL_PIXELFORMAT_RGB888 (read with ThemeReader::ReadPicture). Throws ThemeError:
//   "Cannot open file PATH: <why>" when the file cannot be read or is no file (list unchanged);
//   "Cannot open file PATH: ImageList" for a wrong signature (list unchanged);
//   "Stream read error" when the data ends early or a chunk is malformed,
//   "Bitmap image is not valid" for picture data that is not an acceptable BMP file,
//   "Out of memory" beyond the theme limits: the list then holds the pictures read before
//   the failing one and the failing one, empty.
void LoadThemeFile(const std::string& path, zv::ui::ImageList& list);
// The whole content of a regular file of at most limit bytes. Anything else answering to the name (a
// named pipe, a directory, a device) is refused at once, without waiting for a writer. ThemeError
// "Cannot open file PATH: <why>".
std::vector<std::uint8_t> ReadRegularFile(const std::string& path, std::size_t limit);
void LoadThemeBytes(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages,
                    zv::ui::ImageList& list);
// The same load with every bitmap file expanded whole before it is decoded (ReadRecord and then
// DecodeThemeEntry): the plain way, kept for the tests and the fuzz target, which check that
// LoadThemeBytes matches it picture for picture and error for error.
void LoadThemeBytesExpandingWhole(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages,
                                  zv::ui::ImageList& list);

// Reads every record of theme data without decoding the bitmaps (for tools).
std::vector<ThemeEntry> ReadThemeEntries(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages);

// Builds a theme file: signature, count, offset table and the records in order. Compressed
// bitmaps are cut into pieces of 32781 bytes, one chunk each. Throws std::invalid_argument for
// a description longer than 255 bytes, a pixel format outside 0 to 3 or data beyond 2 GiB.
std::vector<std::uint8_t> WriteThemeBytes(const std::vector<ThemeEntry>& entries);

} // namespace zv::view
