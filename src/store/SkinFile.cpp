// Reading and writing the skin file, with the runtime's integer reading rules.
#include "store/SkinFile.h"

#include <cerrno>

#include "store/TextFile.h"

namespace zv::store {

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f'; }

bool ParseInt32(std::string_view token, std::int32_t& out) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i == token.size()) return false;
    std::int64_t v = 0;
    for (; i < token.size(); ++i) {
        const char ch = token[i];
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
        if (v > std::int64_t{2147483648}) return false;
    }
    if (negative) v = -v;
    if (v > std::int64_t{2147483647}) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

} // namespace

bool ParseSkinText(std::string_view content, std::int32_t& skin) {
    std::int32_t value = skin;
    std::size_t pos = 0;
    while (pos < content.size()) {
        while (pos < content.size() && IsBlank(content[pos])) ++pos;
        if (pos == content.size()) break; // only blanks left: nothing more is read
        const std::size_t start = pos;
        while (pos < content.size() && !IsBlank(content[pos])) ++pos;
        if (!ParseInt32(content.substr(start, pos - start), value)) return false;
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
    const std::string content = FormatSkin(skin);
    try {
        if (ReadTextFile(path) == content) return;
    } catch (const InOutError&) {
        // missing or unreadable: write it as asked
    }
    WriteTextFileAtomic(path, content);
}

} // namespace zv::store
