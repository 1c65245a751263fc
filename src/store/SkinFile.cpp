// Reading and writing the skin file, with the runtime's integer reading rules.
#include "store/SkinFile.h"

#include <cerrno>

#include "store/Numbers.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f'; }

// The runtime's reading of an integer: a sign of either kind, any number of leading zeros.
constexpr WholeForm kRuntimeInteger{.plus = true, .padded = true};

} // namespace

bool ParseSkinText(std::string_view content, std::int32_t& skin) {
    std::int32_t value = skin;
    std::size_t pos = 0;
    while (pos < content.size()) {
        while (pos < content.size() && IsBlank(content[pos])) ++pos;
        if (pos == content.size()) break; // only blanks left: nothing more is read
        const std::size_t start = pos;
        while (pos < content.size() && !IsBlank(content[pos])) ++pos;
        if (!ReadWhole(content.substr(start, pos - start), INT32_MIN, INT32_MAX, value, kRuntimeInteger)) return false;
        // The rest of the number's line is skipped.
        const std::size_t lf = content.find('\n', pos);
        pos = lf == std::string_view::npos ? content.size() : lf + 1;
    }
    skin = value;
    return true;
}

std::string FormatSkin(std::int32_t skin) { return std::to_string(skin); }

bool ReadSkinFile(const std::string& path, std::int32_t& skin) {
    std::string content;
    try {
        content = ReadTextFile(path);
    } catch (const InOutError& e) {
        if (e.errnoValue() == ENOENT) return false;
        throw;
    }
    if (!ParseSkinText(content, skin)) throw InOutError(kInvalidNumericInput);
    return true;
}

void WriteSkinFile(const std::string& path, std::int32_t skin) {
    // Applying the saved skin at start-up asks to write what the file already holds: a file that
    // holds exactly that is left alone, so a data directory that cannot be written is no error then.
    WriteTextFileIfChanged(path, FormatSkin(skin));
}

} // namespace zv::store
