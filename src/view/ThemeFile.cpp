// Reading theme files into image lists, and writing them.
#include "view/ThemeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "view/Bmp.h"
#include "view/BmpStream.h"
#include "view/LzChunk.h"
#include "view/ThemeError.h"

namespace zv::view {

namespace {

constexpr std::uint8_t kSignature[9] = {8, 'L', 'M', 'D', 'B', 'M', 'L', '3', '0'};

enum Flags : std::uint8_t {
    kFlagCompressed = 1,
    kFlagDescription = 2,
    kFlagIdentifier = 4,
    kFlagData = 8,
    kFlagFormat1 = 16,
    kFlagFormat2 = 32,
    kFlagFormat3 = 64,
};

[[noreturn]] void ReadError() { throw ThemeError(kStreamReadError); }

std::string CannotOpen(const std::string& name) { return "Cannot open file " + name; }

// Resumes the list's change notices however the load ends.
class UpdateGuard {
public:
    explicit UpdateGuard(zv::ui::ImageList& list) : list_(list) { list_.BeginUpdate(); }
    ~UpdateGuard() { list_.EndUpdate(); }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

private:
    zv::ui::ImageList& list_;
};

} // namespace

void ThemeReader::Need(std::size_t bytes) const {
    if (bytes > size_ - pos_) ReadError();
}

std::uint8_t ThemeReader::ReadByte() {
    Need(1);
    return data_[pos_++];
}

std::int32_t ThemeReader::ReadInt32() {
    Need(4);
    const std::uint8_t* p = data_ + pos_;
    pos_ += 4;
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    return static_cast<std::int32_t>(v);
}

void ThemeReader::Charge(std::size_t bytes) {
    if (bytes > kMaxThemeBytes - charged_) throw ThemeError(kOutOfMemory);
    charged_ += bytes;
}

bool ThemeReader::ReadSignature() {
    if (size_ - pos_ < sizeof kSignature || std::memcmp(data_ + pos_, kSignature, sizeof kSignature) != 0)
        return false;
    pos_ += sizeof kSignature;
    return true;
}

int ThemeReader::ReadCount() {
    const std::int32_t n = ReadInt32();
    if (n <= 0) return 0;
    Need(std::size_t{4} * static_cast<std::size_t>(n));
    if (n > kMaxThemePictures) throw ThemeError(kOutOfMemory);
    pos_ += std::size_t{4} * static_cast<std::size_t>(n);
    return n;
}

std::int64_t ThemeReader::ReadChunkArea() {
    const std::int32_t total = ReadInt32();
    if (total < 0) ReadError();
    // The whole chunk area must be present: the chunks that make up T lie inside it.
    Need(static_cast<std::size_t>(total));
    return total;
}

template <class Expand>
void ThemeReader::ReadChunks(std::int64_t area, Expand&& expand) {
    std::size_t expanded = 0;
    std::int64_t left = area;
    while (left > 0) {
        const std::int32_t length = ReadInt32();
        if (length < 0 || static_cast<std::size_t>(length) > kMaxChunkLength) ReadError();
        Need(static_cast<std::size_t>(length));
        const std::size_t got = expand(data_ + pos_, static_cast<std::size_t>(length));
        pos_ += static_cast<std::size_t>(length);
        expanded += got;
        if (expanded > kMaxBitmapBytes) throw ThemeError(kBitmapNotValid);
        Charge(got);
        left -= static_cast<std::int64_t>(length) + 4;
    }
}

void ThemeReader::ReadCompressed(std::vector<std::uint8_t>& out) {
    ReadChunks(ReadChunkArea(), [&out](const std::uint8_t* chunk, std::size_t length) {
        const std::size_t before = out.size();
        ExpandChunk(chunk, length, out);
        return out.size() - before;
    });
}

std::size_t ThemeReader::ReadPlainLength() {
    const std::int32_t length = ReadInt32();
    if (length < 0) ReadError();
    Need(static_cast<std::size_t>(length));
    if (static_cast<std::size_t>(length) > kMaxBitmapBytes) throw ThemeError(kBitmapNotValid);
    Charge(static_cast<std::size_t>(length));
    return static_cast<std::size_t>(length);
}

bool ThemeReader::ReadRecordHead(ThemeEntry& entry) {
    entry = ThemeEntry{};
    const std::uint8_t flags = ReadByte();
    entry.compressed = (flags & kFlagCompressed) != 0;
    if (flags & kFlagDescription) {
        const std::size_t length = ReadByte();
        Need(length);
        entry.description.assign(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length;
    }
    if (flags & kFlagIdentifier) entry.identifier = ReadInt32();
    entry.pixelFormat = (flags & kFlagFormat1) ? 1 : (flags & kFlagFormat2) ? 2 : (flags & kFlagFormat3) ? 3 : 0;
    return (flags & kFlagData) != 0;
}

void ThemeReader::ReadRecord(ThemeEntry& entry) {
    if (!ReadRecordHead(entry)) return;
    if (entry.compressed) {
        ReadCompressed(entry.bitmap);
        return;
    }
    const std::size_t length = ReadPlainLength();
    entry.bitmap.assign(data_ + pos_, data_ + pos_ + length);
    pos_ += length;
}

namespace {

zv::ui::Picture PictureOf(ThemeEntry&& entry) {
    zv::ui::Picture picture;
    picture.compressed = entry.compressed;
    picture.description = std::move(entry.description);
    picture.identifier = entry.identifier;
    picture.pixelFormat = entry.pixelFormat;
    return picture;
}

// The surface of a whole bitmap file, its pixels counted against the theme's limits first.
zv::ui::SurfacePtr DecodeWhole(ThemeReader& reader, const std::uint8_t* bitmap, std::size_t size, ThemeBitmapFacts* facts) {
    BmpInfo info;
    if (!ReadBmpInfo(bitmap, size, info)) throw ThemeError(kBitmapNotValid);
    reader.Charge(std::size_t{4} * static_cast<std::size_t>(info.width) * static_cast<std::size_t>(info.height));
    if (facts != nullptr) facts->info = info;
    return DecodeBmp(bitmap, size);
}

} // namespace

zv::ui::Picture ThemeReader::ReadPicture(ThemeBitmapFacts* facts) {
    ThemeEntry head;
    const bool hasData = ReadRecordHead(head);
    zv::ui::Picture picture = PictureOf(std::move(head));
    if (!hasData) return picture;
    if (!picture.compressed) {
        const std::size_t length = ReadPlainLength();
        const std::uint8_t* bitmap = data_ + pos_;
        pos_ += length;
        if (facts != nullptr) facts->bytes = length;
        // Picture data of no bytes at all stands for an empty bitmap, as the record without data does.
        if (length > 0) picture.surface = DecodeWhole(*this, bitmap, length, facts);
        return picture;
    }
    const std::int64_t area = ReadChunkArea();
    // Every chunk uses at least 5 bytes of the area (its length and its mark) and expands to at most
    // kMaxChunkOutput bytes; a longer bitmap file is refused while expanding.
    const std::uint64_t most = static_cast<std::uint64_t>(area + 4) / 5 * kMaxChunkOutput;
    BmpStream stream(std::min<std::uint64_t>(most, kMaxBitmapBytes));
    std::vector<std::uint8_t> expanded;  // one chunk's bytes at a time
    ReadChunks(area, [&](const std::uint8_t* chunk, std::size_t length) -> std::size_t {
        if (length > 0 && chunk[0] == kStoredChunkMark) {
            stream.Append(chunk + 1, length - 1);
            return length - 1;
        }
        expanded.clear();
        ExpandChunk(chunk, length, expanded);
        stream.Append(expanded.data(), expanded.size());
        return expanded.size();
    });
    if (facts != nullptr) facts->bytes = static_cast<std::size_t>(stream.Size());
    if (stream.Size() == 0) return picture;
    BmpInfo info;
    if (!stream.Info(info)) throw ThemeError(kBitmapNotValid);
    Charge(std::size_t{4} * static_cast<std::size_t>(info.width) * static_cast<std::size_t>(info.height));
    if (facts != nullptr) facts->info = info;
    picture.surface = stream.Decode();
    return picture;
}

zv::ui::Picture DecodeThemeEntry(ThemeReader& reader, ThemeEntry&& entry) {
    std::vector<std::uint8_t> bitmap = std::move(entry.bitmap);
    zv::ui::Picture loaded = PictureOf(std::move(entry));
    // Picture data of no bytes at all stands for an empty bitmap, as the record without data does.
    if (!bitmap.empty()) loaded.surface = DecodeWhole(reader, bitmap.data(), bitmap.size(), nullptr);
    return loaded;
}

namespace {

// Fills the list with the pictures that `read` makes of the records one by one.
template <class Read>
void LoadPictures(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages, zv::ui::ImageList& list,
                  Read&& read) {
    ThemeReader reader(data, size);
    if (!reader.ReadSignature()) throw ThemeError(CannotOpen(nameForMessages) + ": " + kImageListClassName);
    UpdateGuard guard(list);
    list.Clear();
    const int count = reader.ReadCount();
    for (int i = 0; i < count; ++i) {
        // The picture joins the list before its record is read: a failing record leaves it there, empty.
        zv::ui::Picture& picture = list.Append();
        picture = read(reader);
    }
}

} // namespace

void LoadThemeBytes(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages,
                    zv::ui::ImageList& list) {
    LoadPictures(data, size, nameForMessages, list, [](ThemeReader& reader) { return reader.ReadPicture(); });
}

void LoadThemeBytesExpandingWhole(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages,
                                  zv::ui::ImageList& list) {
    ThemeEntry entry;
    LoadPictures(data, size, nameForMessages, list, [&entry](ThemeReader& reader) {
        reader.ReadRecord(entry);
        return DecodeThemeEntry(reader, std::move(entry));
    });
}

std::vector<std::uint8_t> ReadRegularFile(const std::string& path, std::size_t limit) {
    // Opened without waiting: a named pipe would otherwise block the open until something writes into it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) throw ThemeError(CannotOpen(path) + ": " + std::strerror(errno));
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, &std::fclose);
    struct stat st {};
    const char* kind = nullptr;
    if (::fstat(fd, &st) != 0) kind = "a file that cannot be examined";
    else if (S_ISFIFO(st.st_mode)) kind = "a named pipe";
    else if (S_ISDIR(st.st_mode)) kind = "a directory";
    else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) kind = "a device";
    else if (S_ISSOCK(st.st_mode)) kind = "a socket";
    else if (!S_ISREG(st.st_mode)) kind = "not a plain file";
    if (kind || ::fcntl(fd, F_SETFL, 0) != 0 || !(file.reset(::fdopen(fd, "rb")), file)) {
        ::close(fd);
        throw ThemeError(CannotOpen(path) + ": " + (kind ? std::string(kind) + ", not a file" : std::strerror(errno)));
    }
    // Read in pieces up to one byte past the limit, so that a file growing meanwhile is bounded too.
    std::vector<std::uint8_t> bytes;
    std::uint8_t piece[65536];
    for (;;) {
        const std::size_t got = std::fread(piece, 1, sizeof piece, file.get());
        bytes.insert(bytes.end(), piece, piece + got);
        if (bytes.size() > limit) throw ThemeError(CannotOpen(path) + ": the file is larger than " + std::to_string(limit >> 20) + " MiB");
        if (got < sizeof piece) break;
    }
    if (std::ferror(file.get())) throw ThemeError(CannotOpen(path));
    return bytes;
}

void LoadThemeFile(const std::string& path, zv::ui::ImageList& list) {
    const std::vector<std::uint8_t> bytes = ReadRegularFile(path, kMaxThemeFileSize);
    LoadThemeBytes(bytes.data(), bytes.size(), path, list);
}

std::vector<ThemeEntry> ReadThemeEntries(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages) {
    ThemeReader reader(data, size);
    if (!reader.ReadSignature()) throw ThemeError(CannotOpen(nameForMessages) + ": " + kImageListClassName);
    const int count = reader.ReadCount();
    std::vector<ThemeEntry> entries(static_cast<std::size_t>(count));
    for (ThemeEntry& e : entries) reader.ReadRecord(e);
    return entries;
}

namespace {

void PutInt32(std::vector<std::uint8_t>& out, std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw std::invalid_argument("theme data larger than 2 GiB");
    const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void SetInt32(std::vector<std::uint8_t>& out, std::size_t at, std::int64_t value) {
    std::vector<std::uint8_t> four;
    PutInt32(four, value);
    std::memcpy(out.data() + at, four.data(), 4);
}

} // namespace

std::vector<std::uint8_t> WriteThemeBytes(const std::vector<ThemeEntry>& entries) {
    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    PutInt32(out, static_cast<std::int64_t>(entries.size()));
    const std::size_t table = out.size();
    out.resize(out.size() + 4 * entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ThemeEntry& e = entries[i];
        if (e.description.size() > 255) throw std::invalid_argument("picture description longer than 255 bytes");
        if (e.pixelFormat < 0 || e.pixelFormat > 3) throw std::invalid_argument("pixel format outside 0 to 3");
        SetInt32(out, table + 4 * i, static_cast<std::int64_t>(out.size()));

        std::uint8_t flags = e.compressed ? kFlagCompressed : 0;
        if (!e.description.empty()) flags |= kFlagDescription;
        if (e.identifier != 0) flags |= kFlagIdentifier;
        if (!e.bitmap.empty()) flags |= kFlagData;
        if (e.pixelFormat > 0) flags |= static_cast<std::uint8_t>(kFlagFormat1 << (e.pixelFormat - 1));
        out.push_back(flags);
        if (flags & kFlagDescription) {
            out.push_back(static_cast<std::uint8_t>(e.description.size()));
            out.insert(out.end(), e.description.begin(), e.description.end());
        }
        if (flags & kFlagIdentifier) PutInt32(out, e.identifier);
        if (!(flags & kFlagData)) continue;
        if (!e.compressed) {
            PutInt32(out, static_cast<std::int64_t>(e.bitmap.size()));
            out.insert(out.end(), e.bitmap.begin(), e.bitmap.end());
            continue;
        }
        const std::size_t totalAt = out.size();
        PutInt32(out, 0);
        for (std::size_t p = 0; p < e.bitmap.size(); p += kMaxChunkOutput) {
            const std::size_t piece = std::min(kMaxChunkOutput, e.bitmap.size() - p);
            const std::vector<std::uint8_t> chunk = CompressChunk(e.bitmap.data() + p, piece);
            PutInt32(out, static_cast<std::int64_t>(chunk.size()));
            out.insert(out.end(), chunk.begin(), chunk.end());
        }
        SetInt32(out, totalAt, static_cast<std::int64_t>(out.size() - totalAt - 4));
    }
    return out;
}

} // namespace zv::view
