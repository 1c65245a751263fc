// Choosing the language as gettext does, binding the message catalogue, and dates and numbers in the locale's form.
#include "platform/Language.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/stat.h>

#include <algorithm>
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

namespace {

// "de_DE.UTF-8@euro" -> "de_DE", then "de": the names a catalogue may go by, most particular first.
std::vector<std::string> CatalogueNames(const std::string& locale) {
    const std::string name = locale.substr(0, locale.find_first_of(".@"));
    std::vector<std::string> out;
    if (name.empty()) return out;
    out.push_back(name);
    if (const auto bar = name.find('_'); bar != std::string::npos) out.push_back(name.substr(0, bar));
    return out;
}

bool IsCLocale(const std::string& locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

bool IsRussian(const std::string& language) {
    return language.rfind("ru", 0) == 0 && (language.size() == 2 || std::strchr("_.@", language[2]));
}

} // namespace

LanguageChoice ChooseLanguage(const std::function<const char*(const char*)>& getenv,
                              const std::function<bool(const std::string&)>& hasCatalogue) {
    auto value = [&getenv](const char* name) {
        const char* v = getenv(name);
        return std::string(v ? v : "");
    };
    std::string from = "LANG", locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (!(locale = value(name)).empty()) {
            from = name;
            break;
        }
    if (IsCLocale(locale)) return {"", locale.empty() ? "no locale set" : from + "=" + locale};
    // gettext reads LANGUAGE only under a locale other than C, and then LANGUAGE alone.
    std::vector<std::pair<std::string, std::string>> asked;  // a language, and where it comes from
    const std::string list = value("LANGUAGE");
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = std::min(list.find(':', at), list.size());
        if (end > at) asked.push_back({list.substr(at, end - at), "LANGUAGE"});
        at = end + 1;
    }
    if (asked.empty()) asked.push_back({locale.substr(0, locale.find('.')), from});
    std::string before;
    for (const auto& [language, source] : asked) {
        before += (before.empty() ? "" : ":") + language;
        if (IsRussian(language)) return {"", source + "=" + language, before};
        for (const std::string& name : CatalogueNames(language))
            if (hasCatalogue(name)) return {name, source + "=" + language, before};
    }
    return {"en", "no catalogue for " + asked.front().second + "=" + asked.front().first + ", English instead", before + ":en"};
}

void UseLanguage(const LanguageChoice& choice) {
    // gettext honours LANGUAGE only under a locale other than "C": a locale that is not installed leaves "C",
    // and C.UTF-8 (always there) stands in for it.
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!choice.catalogue.empty() && (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0))
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    // Russian is asked for by a name with no catalogue, so that no later language of LANGUAGE steps in.
    const std::string languages = !choice.gettextLanguages.empty() ? choice.gettextLanguages
                                  : choice.catalogue.empty()       ? std::string("ru")
                                                                   : choice.catalogue;
    setenv("LANGUAGE", languages.c_str(), 1);
    // Forgets the translations already looked up.
    textdomain(textdomain(nullptr));
}

std::string UseEnvironmentLanguage() {
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_TIME, "");
    const auto dirs = CatalogueDirs();
    BindCatalogue(dirs.empty() ? std::string(ZV_LOCALE_DIR) : dirs.front());
    LanguageChoice choice = ChooseLanguage([](const char* name) { return std::getenv(name); },
                                           [&dirs](const std::string& language) {
                                               return !dirs.empty() &&
                                                      IsFile(dirs.front() + "/" + language + "/LC_MESSAGES/" + kTextDomain + ".mo");
                                           });
    if (!choice.catalogue.empty() && dirs.empty()) {
        const std::string exeDir = ExecutableDir();
        UseLanguage({"", ""});
        return "texts in Russian: " + choice.catalogue + " asked for (" + choice.reason + "), but no catalogue en/LC_MESSAGES/" +
               kTextDomain + ".mo in " + (exeDir.empty() ? std::string() : exeDir + "/../share/locale nor in ") + ZV_LOCALE_DIR;
    }
    UseLanguage(choice);
    if (choice.catalogue.empty()) return "texts in Russian (" + choice.reason + ")";
    return "texts in " + choice.catalogue + " (" + choice.reason + "; catalogue in " + dirs.front() + ")";
}

std::string LocalNumber(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string separator, grouping;
    // The environment's numeric locale, read aside: the process's own stays "C" for the files it writes.
    if (locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
        separator = nl_langinfo_l(THOUSANDS_SEP, numeric);
        grouping = nl_langinfo_l(GROUPING, numeric);
        freelocale(numeric);
    }
    if (separator.empty() || grouping.empty()) return value < 0 ? "-" + digits : digits;
    std::string out;
    std::size_t group = 0;
    int size = grouping[0], taken = 0;
    for (std::size_t i = digits.size(); i > 0; --i) {
        if (size > 0 && size < CHAR_MAX && taken == size) {
            out.insert(0, separator);
            taken = 0;
            if (group + 1 < grouping.size()) size = grouping[++group];
        }
        out.insert(out.begin(), digits[i - 1]);
        ++taken;
    }
    return value < 0 ? "-" + out : out;
}

std::string LocalDecimalPoint() {
    std::string point = ",";
    if (locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
        const char* name = std::getenv("LC_ALL");
        if (!name || !*name) name = std::getenv("LC_NUMERIC");
        if (!name || !*name) name = std::getenv("LANG");
        const std::string locale = name ? name : "";
        if (!locale.empty() && locale != "C" && locale != "POSIX" && locale.rfind("C.", 0) != 0)
            if (const char* radix = nl_langinfo_l(RADIXCHAR, numeric); radix && *radix) point = radix;
        freelocale(numeric);
    }
    return point;
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
