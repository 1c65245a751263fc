// The motion file both ways.
#include "store/MotionFile.h"

#include <cerrno>
#include <exception>

#include "store/TextFile.h"

namespace zv::store {

std::string MotionPath(const std::string& dir) { return dir + "/" + kMotionFileName; }

std::string FormatMotion(bool on) { return on ? "on\r\n" : "off\r\n"; }

bool ParseMotion(std::string_view content, bool& on, std::string& problem) {
    auto fail = [&](const char* what) {
        problem = what;
        return false;
    };
    if (content.size() > kMaxMotionFileSize) return fail("the file is too large");
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
    const std::string path = MotionPath(dir);
    MotionLoad r;
    try {
        const std::string content = ReadTextFile(path);
        bool on = true;
        std::string problem;
        if (ParseMotion(content, on, problem)) r.on = on;
        else r.error = path + ": " + problem;
    } catch (const InOutError& e) {
        if (e.errnoValue() == ENOENT) return r;
        r.error = path + ": " + (e.errnoValue() == EFBIG ? std::string("the file is too large") : std::string(e.what()));
    } catch (const std::exception& e) {
        r.error = path + ": " + e.what();
    }
    return r;
}

void SaveMotion(const std::string& dir, bool on) { WriteTextFileAtomic(MotionPath(dir), FormatMotion(on)); }

} // namespace zv::store
