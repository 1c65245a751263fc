// Chunk expansion (the hot path of theme loading) and the matching compressor used by the theme writer.
#include "view/LzChunk.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "view/ThemeError.h"

namespace zv::view {

namespace {

// Copies are done in fixed-size moves that may run past the copy's end; the output is
// over-allocated by this much to hold that overrun.
constexpr std::size_t kSlack = 32;
constexpr std::size_t kMaxDistance = 4095;
constexpr std::size_t kMinCopy = 3;
constexpr std::size_t kMaxCopy = 18;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxRun = 4111;

[[noreturn]] void ReadError() { throw ThemeError(kStreamReadError); }

// Copies `count` (3 to 18) bytes from `distance` back, as if byte by byte. From a distance of 8
// on, three 8-byte moves each read only bytes already in place; they may write up to 24 bytes,
// which the slack after the output allows.
inline void CopyItem(std::uint8_t* dst, std::size_t distance, std::size_t count) {
    const std::uint8_t* from = dst - distance;
    if (distance >= 8) {
        std::memcpy(dst, from, 8);
        std::memcpy(dst + 8, from + 8, 8);
        std::memcpy(dst + 16, from + 16, 8);
    } else if (distance == 1) {
        std::memset(dst, *from, count);
    } else {
        for (std::size_t i = 0; i < count; ++i) dst[i] = from[i];
    }
}

// Expands the run item at `src` (a zero distance, the count less 16 and the byte, 4 bytes in all) at `dst`, and
// moves both past it; false when the run does not fit before `limit`.
inline bool ExpandRun(const std::uint8_t*& src, std::uint8_t*& dst, const std::uint8_t* limit) {
    const std::size_t count = (static_cast<std::size_t>(src[1]) << 8 | src[2]) + kMinRun;
    const std::uint8_t value = src[3];
    src += 4;
    if (static_cast<std::size_t>(limit - dst) < count) return false;
    std::memset(dst, value, count);
    dst += count;
    return true;
}

// Decodes the items of a compressed chunk into [start, limit); returns the end of the output,
// or null when the chunk is malformed.
std::uint8_t* DecodeItems(const std::uint8_t* src, const std::uint8_t* const end, std::uint8_t* const start,
                          std::uint8_t* const limit) {
    std::uint8_t* dst = start;
    unsigned control = 0;
    int itemsLeft = 0;
    while (src < end) {
        if (itemsLeft == 0) {
            // The next control word is read only when an item follows it.
            if (end - src < 2) return nullptr;
            control = static_cast<unsigned>(src[0]) << 8 | src[1];
            src += 2;
            itemsLeft = 16;
            continue;
        }
        if (itemsLeft == 16 && end - src >= 16 * 4 && limit - dst >= static_cast<std::ptrdiff_t>(16 * kMaxCopy)) {
            // Fast path: the 16 items of this control word can neither run out of input nor, short
            // of a run, out of room; a run hands the rest of the word to the checked loop.
            while (itemsLeft > 0) {
                --itemsLeft;
                const bool isCopy = (control & 0x8000u) != 0;
                control <<= 1;
                if (!isCopy) {
                    *dst++ = *src++;
                    continue;
                }
                const std::size_t distance = static_cast<std::size_t>(src[0]) << 4 | src[1] >> 4;
                if (distance == 0) {
                    if (!ExpandRun(src, dst, limit)) return nullptr;
                    break;
                }
                const std::size_t count = (src[1] & 15u) + kMinCopy;
                src += 2;
                if (distance > static_cast<std::size_t>(dst - start)) return nullptr;
                CopyItem(dst, distance, count);
                dst += count;
            }
            continue;
        }
        --itemsLeft;
        const bool isCopy = (control & 0x8000u) != 0;
        control <<= 1;
        if (!isCopy) {
            if (dst == limit) return nullptr;
            *dst++ = *src++;
            continue;
        }
        if (end - src < 2) return nullptr;
        const std::size_t distance = static_cast<std::size_t>(src[0]) << 4 | src[1] >> 4;
        if (distance != 0) {
            const std::size_t count = (src[1] & 15u) + kMinCopy;
            src += 2;
            if (distance > static_cast<std::size_t>(dst - start)) return nullptr;
            if (static_cast<std::size_t>(limit - dst) < count) return nullptr;
            CopyItem(dst, distance, count);
            dst += count;
        } else {
            if (end - src < 4) return nullptr;
            if (!ExpandRun(src, dst, limit)) return nullptr;
        }
    }
    return dst;
}

} // namespace

void ExpandChunk(const std::uint8_t* data, std::size_t length, std::vector<std::uint8_t>& out) {
    if (length == 0 || length > kMaxChunkLength) ReadError();
    if (data[0] == kStoredChunkMark) {
        out.insert(out.end(), data + 1, data + length);
        return;
    }
    const std::size_t base = out.size();
    out.resize(base + kMaxChunkOutput + kSlack);
    std::uint8_t* const start = out.data() + base;
    std::uint8_t* const end = DecodeItems(data + 1, data + length, start, start + kMaxChunkOutput);
    if (end == nullptr) {
        out.resize(base);
        ReadError();
    }
    out.resize(base + static_cast<std::size_t>(end - start));
}

namespace {

constexpr unsigned kHashBits = 13;
constexpr std::uint16_t kNoPosition = 0xFFFF;

inline unsigned Hash3(const std::uint8_t* p) {
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    return (v * 2654435761u) >> (32 - kHashBits);
}

// Emits items into a compressed chunk, starting a new control word every 16 items.
class ItemWriter {
public:
    explicit ItemWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Literal(std::uint8_t b) {
        Begin(false);
        out_.push_back(b);
    }
    void Copy(std::size_t distance, std::size_t count) {
        Begin(true);
        out_.push_back(static_cast<std::uint8_t>(distance >> 4));
        out_.push_back(static_cast<std::uint8_t>((distance & 15u) << 4 | (count - kMinCopy)));
    }
    void Run(std::uint8_t value, std::size_t count) {
        Begin(true);
        const std::size_t n = count - kMinRun;
        out_.push_back(0);
        out_.push_back(static_cast<std::uint8_t>(n >> 8));
        out_.push_back(static_cast<std::uint8_t>(n & 255u));
        out_.push_back(value);
    }

private:
    void Begin(bool isCopy) {
        if (itemsInWord_ == 16) {
            controlAt_ = out_.size();
            out_.push_back(0);
            out_.push_back(0);
            itemsInWord_ = 0;
        }
        if (isCopy) {
            const unsigned bit = 15u - static_cast<unsigned>(itemsInWord_);
            out_[controlAt_ + (bit >= 8 ? 0 : 1)] |= static_cast<std::uint8_t>(1u << (bit & 7u));
        }
        ++itemsInWord_;
    }

    std::vector<std::uint8_t>& out_;
    std::size_t controlAt_ = 0;
    int itemsInWord_ = 16;
};

} // namespace

std::vector<std::uint8_t> CompressChunk(const std::uint8_t* data, std::size_t length) {
    if (length > kMaxChunkOutput) throw std::invalid_argument("chunk piece longer than 32781 bytes");
    std::vector<std::uint8_t> out;
    out.reserve(length + length / 8 + 8);
    out.push_back(kCompressedChunkMark);
    {
        std::vector<std::uint16_t> table(std::size_t{1} << kHashBits, kNoPosition);
        ItemWriter items(out);
        std::size_t p = 0;
        while (p < length) {
            // A run of equal bytes is cheapest as one run item.
            if (p + kMinRun <= length && data[p + 1] == data[p]) {
                const std::size_t most = std::min(kMaxRun, length - p);
                std::size_t r = 1;
                while (r < most && data[p + r] == data[p]) ++r;
                if (r >= kMinRun) {
                    items.Run(data[p], r);
                    p += r;
                    continue;
                }
            }
            if (p + kMinCopy <= length) {
                const unsigned h = Hash3(data + p);
                const std::uint16_t candidate = table[h];
                table[h] = static_cast<std::uint16_t>(p);
                if (candidate != kNoPosition && p - candidate <= kMaxDistance) {
                    const std::size_t most = std::min(kMaxCopy, length - p);
                    std::size_t n = 0;
                    while (n < most && data[candidate + n] == data[p + n]) ++n;
                    if (n >= kMinCopy) {
                        items.Copy(p - candidate, n);
                        // Remember the positions inside the match too: later matches find them.
                        for (std::size_t q = p + 1; q < p + n && q + kMinCopy <= length; ++q)
                            table[Hash3(data + q)] = static_cast<std::uint16_t>(q);
                        p += n;
                        continue;
                    }
                }
            }
            items.Literal(data[p]);
            ++p;
        }
    }
    if (out.size() >= length + 1) {
        out.assign(1, kStoredChunkMark);
        out.insert(out.end(), data, data + length);
    }
    return out;
}

} // namespace zv::view
