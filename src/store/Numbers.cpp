// The one reader of whole numbers in the store's files.
#include "store/Numbers.h"

#include <algorithm>

namespace zv::store {

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ReadWhole(std::string_view text, std::int64_t lo, std::int64_t hi, std::int64_t& out, WholeForm form) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && ((form.minus && digits.front() == '-') || (form.plus && digits.front() == '+'))) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (!AllDigits(digits) || digits.size() > form.most) return false;
    if (!form.padded && digits.size() > 1 && digits.front() == '0') return false;
    if (!form.padded && negative && digits == "0") return false;
    // Counted in unsigned 64 bits, which hold the size of the lowest signed value too.
    constexpr std::uint64_t kBeyond = std::uint64_t{1} << 63;
    std::uint64_t v = 0;
    for (char c : digits) {
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (v > (kBeyond - d) / 10) return false;
        v = v * 10 + d;
    }
    if (!negative && v == kBeyond) return false;
    const std::int64_t value = negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
    if (value < lo || value > hi) return false;
    out = value;
    return true;
}

} // namespace zv::store
