// Whole numbers as the store's formats write them: one reader, told which spellings a format takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zv::store {

// Which spellings of a whole number a field takes besides the plain one ("0", "12", "-12"). Each format keeps
// what it has always taken, so a file that read before still reads.
struct WholeForm {
    bool minus = true;             // a leading '-'
    bool plus = false;             // a leading '+'
    bool padded = false;           // leading zeros ("007"), and "-0"
    std::size_t most = SIZE_MAX;   // at most this many digits, zeros in front counted
};
// What the newer files write and nothing else: an optional '-', no leading zero, no "-0".
inline constexpr WholeForm kPlainWhole{};

// True for a non-empty run of the digits 0 to 9 and nothing else.
bool AllDigits(std::string_view text);

// The whole number text spells in form, when it is within lo..hi; false otherwise, out then untouched. No blanks
// are taken, and however many digits the form allows, a value beyond 64 bits is refused.
bool ReadWhole(std::string_view text, std::int64_t lo, std::int64_t hi, std::int64_t& out, WholeForm form = kPlainWhole);

template <typename T>
bool ReadWhole(std::string_view text, std::int64_t lo, std::int64_t hi, T& out, WholeForm form = kPlainWhole) {
    std::int64_t v = 0;
    if (!ReadWhole(text, lo, hi, v, form)) return false;
    out = static_cast<T>(v);
    return true;
}

} // namespace zv::store
