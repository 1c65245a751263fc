// Binding the message catalogue, asking which language it is in, and dates in the locale's form.
#include "platform/Language.h"

#include <langinfo.h>
#include <sys/stat.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/Paths.h"

namespace zv::platform {

namespace {

bool IsFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Canonical(const std::string& path) {
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

bool HoldsCatalogue(const std::string& dir) {
    return IsFile(dir + "/en/LC_MESSAGES/" + kTextDomain + ".mo");
}

} // namespace

std::vector<std::string> CatalogueDirs() {
    std::vector<std::string> dirs;
    auto add = [&dirs](const std::string& dir) {
        if (HoldsCatalogue(dir)) dirs.push_back(dir);
    };
    const std::string exeDir = ExecutableDir();
    if (!exeDir.empty()) add(exeDir + "/../share/locale");
    add(ZV_LOCALE_DIR);
    // Only a program running from the build tree looks there.
    const std::string build = Canonical(ZV_BUILD_DIR);
    if (!exeDir.empty() && (Canonical(exeDir) + "/").rfind(build + "/", 0) == 0) add(build + "/locale");
    return dirs;
}

void BindCatalogue(const std::string& localeDir) {
    bindtextdomain(kTextDomain, localeDir.c_str());
    // Our windows draw UTF-8 whatever character set the locale has.
    bind_textdomain_codeset(kTextDomain, "UTF-8");
}

std::string UseEnvironmentLanguage() {
    std::setlocale(LC_CTYPE, "");
    const char* messages = std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_TIME, "");
    const auto dirs = CatalogueDirs();
    BindCatalogue(dirs.empty() ? std::string(ZV_LOCALE_DIR) : dirs.front());
    if (!messages) return "texts in Russian: the locale the environment asks for is not installed here";
    const std::string locale = messages;
    if (EnglishInUse()) return "texts in English (locale " + locale + ", catalogue in " + dirs.front() + ")";
    if (dirs.empty()) {
        const std::string exeDir = ExecutableDir();
        return "texts in Russian (locale " + locale + "): no English catalogue en/LC_MESSAGES/" + kTextDomain +
               ".mo in " + (exeDir.empty() ? std::string() : exeDir + "/../share/locale nor in ") + ZV_LOCALE_DIR;
    }
    return "texts in Russian (locale " + locale + ")";
}

bool EnglishInUse() {
    // The empty id gives the header of the catalogue in use, or itself when there is none.
    static const char* const kHeaderId = "";
    const char* header = dgettext(kTextDomain, kHeaderId);
    return header && std::strstr(header, "\nLanguage: en") != nullptr;
}

std::string LocalDateTime(int year, int month, int day, int hour, int minute) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    const char* name = std::setlocale(LC_TIME, nullptr);
    const std::string locale = name ? name : "C";
    std::string format = "%d.%m.%Y %H:%M";
    if (locale != "C" && locale != "POSIX" && locale.rfind("C.", 0) != 0) {
        // The locale's own date; its time without the seconds, on a 12-hour clock where it keeps one.
        const std::string time = nl_langinfo(T_FMT);
        const bool twelve = time.find("%r") != std::string::npos || time.find("%p") != std::string::npos ||
                            time.find("%I") != std::string::npos || time.find("%l") != std::string::npos;
        format = std::string(nl_langinfo(D_FMT)) + (twelve ? " %I:%M %p" : " %H:%M");
    }
    char buf[96];
    const std::size_t n = std::strftime(buf, sizeof buf, format.c_str(), &t);
    return std::string(buf, n);
}

} // namespace zv::platform
