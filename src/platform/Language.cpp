// Binding the message catalogue and asking which language it is in.
#include "platform/Language.h"

#include <sys/stat.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>

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

} // namespace zv::platform
