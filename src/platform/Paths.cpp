// Directory lookups: the user's data directory, the executable's own name and place, the data directories.
#include "platform/Paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace zv::platform {

namespace {

bool IsDirectory(const std::string& path) {
    struct stat st{};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Canonical(const std::string& path) {
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : path;
}


std::string SelfExe() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    return std::string(buf, static_cast<size_t>(n));
}

std::string Basename(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    const auto slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

bool IsUnder(const std::string& path, const std::string& dir) {
    return path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0 && path[dir.size()] == '/';
}

} // namespace

std::string HomeDir() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

bool MakeDirectories(const std::string& path, unsigned mode) {
    if (path.empty()) return false;
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/') continue;
        const std::string part = path.substr(0, pos);
        if (mkdir(part.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST) return false;
    }
    return IsDirectory(path);
}

std::string UserDataDir() {
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    // Relative values are invalid and must be ignored.
    if (xdg && xdg[0] == '/') base = xdg;
    else base = HomeDir() + "/.local/share";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string dir = base + "/zorvex2000";
    MakeDirectories(dir, 0700);
    return dir;
}

std::string ExecutableName(const char* argv0) {
    std::string name = argv0 && argv0[0] ? Basename(argv0) : std::string();
    if (name.empty() || name == "/") name = Basename(SelfExe());
    return name;
}

std::string ExecutableDir() {
    const std::string exe = SelfExe();
    const auto slash = exe.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::vector<std::string> DataDirs() {
    std::vector<std::string> dirs;
    auto add = [&dirs](const std::string& dir) {
        if (!IsDirectory(dir)) return;
        const std::string c = Canonical(dir);
        for (const auto& d : dirs)
            if (d == c) return;
        dirs.push_back(c);
    };
    const std::string exeDir = ExecutableDir();
    if (!exeDir.empty()) add(exeDir + "/../share/zorvex2000");
    add(ZV_DATA_DIR);
    // Only a program running from the build tree looks into the sources.
    if (!exeDir.empty() && IsUnder(Canonical(exeDir) + "/", Canonical(ZV_BUILD_DIR)))
        add(std::string(ZV_SOURCE_ASSETS) + "/sounds");
    return dirs;
}

} // namespace zv::platform
