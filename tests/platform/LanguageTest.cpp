// The language the texts are shown in, chosen from the environment as gettext would, and numbers in the locale's form.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

#include "platform/Language.h"

namespace zv::platform {
namespace {

TEST(Language, TheLanguageFollowsTheEnvironmentAsGettextReadsIt) {
    const std::set<std::string> catalogues = {"en", "de", "pt_BR"};
    const struct {
        std::map<std::string, std::string> env;
        const char* catalogue;  // "" for the game's own Russian texts
        const char* languages = nullptr;  // the LANGUAGE set for gettext, where it matters
    } cases[] = {
        {{}, ""},
        {{{"LANG", "C.UTF-8"}}, ""},
        {{{"LANG", "POSIX"}, {"LANGUAGE", "de"}}, ""},  // LANGUAGE counts only under a real locale
        {{{"LANG", "ru_RU.UTF-8"}}, ""},
        {{{"LANG", "de_DE.UTF-8"}}, "de"},
        {{{"LANG", "de_AT.UTF-8@euro"}}, "de"},
        {{{"LANG", "pt_BR.UTF-8"}}, "pt_BR"},
        {{{"LANG", "pt_PT.UTF-8"}}, "en"},  // Portugal's Portuguese is not Brazil's
        {{{"LANG", "fr_FR.UTF-8"}}, "en", "fr_FR:en"},  // a language we lack gets English, other programs French
        {{{"LANG", "en_GB.UTF-8"}}, "en"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "ru_RU.UTF-8"}}, ""},
        {{{"LC_MESSAGES", "ru_RU.UTF-8"}, {"LC_ALL", "de_DE.UTF-8"}}, "de"},
        {{{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, ""},
        {{{"LANG", "ru_RU.UTF-8"}, {"LANGUAGE", "fr:de"}}, "de", "fr:de"},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "ru:de"}}, "", "ru"},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr"}}, "en"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", ""}}, "en"},
        {{{"LANG", "rum_XX"}}, "en"},  // not Russian for starting with "ru"
    };
    for (const auto& c : cases) {
        const LanguageChoice choice = ChooseLanguage(
            [&c](const char* name) -> const char* {
                const auto it = c.env.find(name);
                return it == c.env.end() ? nullptr : it->second.c_str();
            },
            [&catalogues](const std::string& language) { return catalogues.count(language) > 0; });
        std::string env;
        for (const auto& [name, value] : c.env) env += name + "=" + value + " ";
        EXPECT_EQ(choice.catalogue, c.catalogue) << env << "(" << choice.reason << ")";
        EXPECT_FALSE(choice.reason.empty()) << env;
        if (c.languages) {
            EXPECT_EQ(choice.gettextLanguages, c.languages) << env;
        }
    }
}

TEST(Language, NumbersTakeTheDigitGroupsOfTheEnvironmentsLocaleAndLeaveTheProcessInC) {
    const char* saved = std::getenv("LC_ALL");
    const std::string before = saved ? saved : "";
    const struct { const char* locale; long long value; const char* shown; } cases[] = {
        {"C", 1234567, "1234567"}, {"en_US.UTF-8", 1234567, "1,234,567"}, {"en_US.UTF-8", 999, "999"},
        {"en_US.UTF-8", -12345, "-12,345"}, {"xx_YY.UTF-8", 12345, "12345"}};
    for (const auto& c : cases) {
        setenv("LC_ALL", c.locale, 1);
        EXPECT_EQ(LocalNumber(c.value), c.shown) << c.locale;
    }
    if (saved) setenv("LC_ALL", before.c_str(), 1);
    else unsetenv("LC_ALL");
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    EXPECT_STREQ(buf, "1.5");
}

} // namespace
} // namespace zv::platform
