// The motion file both ways.
#include "store/MotionFile.h"

#include "store/FormatFile.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {
constexpr const char* kTooLarge = "the file is too large";
} // namespace

std::string MotionPath(const std::string& dir) { return dir + "/" + kMotionFileName; }

std::string FormatMotion(bool on) { return on ? "on\r\n" : "off\r\n"; }

bool ParseMotion(std::string_view content, bool& on, std::string& problem) {
    auto fail = [&](const char* what) {
        problem = what;
        return false;
    };
    if (content.size() > kMaxMotionFileSize) return fail(kTooLarge);
    std::string_view line = content;
    if (const std::size_t lf = content.find('\n'); lf != std::string_view::npos) {
        if (lf + 1 != content.size()) return fail("more than one line");
        line = content.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    }
    if (line == "on") on = true;
    else if (line == "off") on = false;
    else return fail("the line is neither \"on\" nor \"off\"");
    return true;
}

MotionLoad LoadMotion(const std::string& dir) {
    MotionLoad r;
    r.error = LoadFile(MotionPath(dir), {.broken = LoadRules::Broken::LeftAsItIs, .tooLarge = kTooLarge}, r.on, ParseMotion).error;
    return r;
}

void SaveMotion(const std::string& dir, bool on) { WriteTextFileAtomic(MotionPath(dir), FormatMotion(on)); }

} // namespace zv::store
