// Expansion and compression of the byte chunks that hold a theme picture's bitmap file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zv::view {

// A bitmap file is cut into pieces of at most this many bytes, one chunk each.
inline constexpr std::size_t kMaxChunkOutput = 32781;
// A stored chunk is one byte longer than the piece it holds.
inline constexpr std::size_t kMaxChunkLength = kMaxChunkOutput + 1;

inline constexpr std::uint8_t kStoredChunkMark = 128;
inline constexpr std::uint8_t kCompressedChunkMark = 64;

// Appends the expansion of one chunk to `out`. Throws ThemeError("Stream read error")
// for a malformed chunk: empty, too long, an item cut short, a copy reaching before the
// chunk's own output, or an expansion beyond kMaxChunkOutput. On a throw `out` keeps
// its former size.
void ExpandChunk(const std::uint8_t* data, std::size_t length, std::vector<std::uint8_t>& out);

// Compresses one piece (at most kMaxChunkOutput bytes) into a chunk: a compressed chunk,
// or a stored one when compression does not make it smaller.
std::vector<std::uint8_t> CompressChunk(const std::uint8_t* data, std::size_t length);

} // namespace zv::view
