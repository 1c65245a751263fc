// The scale file: its one line both ways, the start-up load that never fails the game, saving and forgetting.
#include "store/ScaleFile.h"

#include <algorithm>

#include "store/FormatFile.h"
#include "store/Numbers.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

constexpr int kLowest = kLowestQuarters / 4;
constexpr const char* kDesktopScaleUsed = "the desktop's scale is used and the file is left until a scale is chosen";
constexpr const char* kTooLarge = "the file is too large";
constexpr int kHighest = kHighestQuarters / 4;
// The fractions a scale may have, in quarters, as written.
constexpr const char* kFractions[4] = {"", ".25", ".5", ".75"};

// The text of a line as it may stand in a one-line message.
std::string Shown(std::string_view text) {
    std::string out;
    for (char c : text) out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    return out;
}

} // namespace

std::string ScalePath(const std::string& dir) { return dir + "/" + kScaleFileName; }

std::string FormatScale(int quarters) {
    const int q = std::clamp(quarters, kLowestQuarters, kHighestQuarters);
    return std::to_string(q / 4) + kFractions[q % 4] + "\r\n";
}

bool ParseScale(std::string_view content, int& quarters, std::string& problem) {
    auto fail = [&](std::string what) {
        problem = std::move(what);
        return false;
    };
    if (content.size() > kMaxScaleFileSize) return fail(kTooLarge);
    if (content.empty()) return fail("the file is empty");
    // Saved by an editor as UTF-16: every other byte is NUL, and the line ends look doubled.
    if (content.find('\0') != std::string_view::npos || content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF"))
        return fail("the file is not plain text (it holds NUL bytes, as UTF-16 does)");
    std::string_view line = content;
    if (const std::size_t lf = content.find('\n'); lf != std::string_view::npos) {
        if (lf + 1 != content.size()) return fail("more than one line");
        line = content.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    }
    if (line.empty()) return fail("the scale is missing");
    if (line.find('\r') != std::string_view::npos) return fail("a carriage return without a line feed");
    const std::string_view number = line.front() == '-' ? line.substr(1) : line;
    const std::size_t dot = number.find_first_of(".,");
    const std::string_view digits = number.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : number.substr(dot + 1);
    if (!AllDigits(digits) || (dot != std::string_view::npos && !AllDigits(fraction))) return fail("the scale is not a number");
    if (digits.size() > 1 && digits.front() == '0') return fail("the scale " + Shown(line) + " has a leading zero");
    int quarter = -1;
    if (dot == std::string_view::npos) quarter = 0;
    else if (number[dot] == '.')
        for (int k = 1; k < 4; ++k)
            if (fraction == kFractions[k] + 1) quarter = k;
    if (quarter < 0) return fail("the scale " + Shown(line) + " is not a step of 0.25 written as 1.25, 1.5 or 1.75 are");
    if (line.front() == '-' || digits.size() != 1 || digits[0] < '0' + kLowest || digits[0] > '0' + kHighest ||
        (digits[0] == '0' + kHighest && quarter > 0))
        return fail("the scale " + Shown(line) + " is outside " + std::to_string(kLowest) + " to " + std::to_string(kHighest));
    quarters = 4 * (digits[0] - '0') + quarter;
    return true;
}

ScaleLoad LoadScale(const std::string& dir) {
    // The file layer reads at most kMaxTextFileSize bytes and refuses a larger file by its size alone.
    const LoadRules rules{.broken = LoadRules::Broken::LeftAsItIs, .tooLarge = kTooLarge, .without = kDesktopScaleUsed};
    ScaleLoad r;
    r.error = LoadFile(ScalePath(dir), rules, r.scale, ParseScale).error;
    return r;
}

void SaveScale(const std::string& dir, int quarters) { WriteTextFileAtomic(ScalePath(dir), FormatScale(quarters)); }

void ForgetScale(const std::string& dir) { RemoveFile(ScalePath(dir)); }

} // namespace zv::store
