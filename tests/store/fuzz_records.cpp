// Fuzz target: the record reader and number check, cross-checked with the standard conversion.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::string text = zv::store::LastLine(content);
    if (text.size() > size || text.find('\n') != std::string::npos) std::abort();

    std::int32_t value = 0;
    const bool ok = zv::ParseRecordNumber(text, value);

    // The same judgement by other means: trim blanks (a stray CR or LF counts as one), refuse a '+',
    // let from_chars decide.
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    std::int32_t expected = 0;
    bool expectOk = false;
    if (b < e && text[b] != '+') {
        const auto [end, ec] = std::from_chars(text.data() + b, text.data() + e, expected);
        expectOk = ec == std::errc() && end == text.data() + e;
    }
    if (ok != expectOk || (ok && value != expected)) std::abort();

    if (ok) {
        std::int32_t again = 0;
        const std::string line = zv::store::LastLine(zv::store::FormatRecord(value));
        if (!zv::ParseRecordNumber(line, again) || again != value) std::abort();
    }
    return 0;
}
