// The player's language: the game's texts go through the message catalogue of the locale in use.
#pragma once

#include <libintl.h>

#include <functional>
#include <string>
#include <vector>

namespace zv::platform {

// The catalogue's name: <locale dir>/<language>/LC_MESSAGES/zorvex2000.mo.
inline constexpr const char* kTextDomain = "zorvex2000";

// A text of the game in the player's language. The message ids are the game's own Russian texts,
// so without a catalogue for the language (C, Russian, or one we lack) the text comes back as it is.
inline const char* Tr(const char* id) { return dgettext(kTextDomain, id); }
inline std::string Tr(const std::string& id) { return dgettext(kTextDomain, id.c_str()); }

// Marks a text for the catalogue where it is defined; Tr() translates it where it is shown.
#define N_(text) text

// The language the texts are shown in, as gettext picks it: LANGUAGE (a list, and only when the locale is not C),
// else the first of LC_ALL, LC_MESSAGES and LANG. The first language asked for that has a catalogue wins; Russian,
// and the C and POSIX locales, show the game's own texts; a language without a catalogue gets English.
struct LanguageChoice {
    std::string catalogue;  // the catalogue's language ("en", "pt_BR"); empty for the game's own Russian texts
    std::string reason;     // why, in a few words, for --verbose
    // The LANGUAGE that makes gettext show it: the languages asked for up to the one chosen, then the catalogue
    // when it is English in their stead, so that other programs' texts (GTK's) stay in the player's language.
    // Empty: the catalogue's name alone.
    std::string gettextLanguages = {};
};
// getenv as it answers for the environment; hasCatalogue tells whether a language ("de", "pt_BR") has one.
LanguageChoice ChooseLanguage(const std::function<const char*(const char*)>& getenv,
                              const std::function<bool(const std::string&)>& hasCatalogue);

// Takes the language from the environment, binds our catalogue (from CatalogueDirs()) and makes gettext use the
// chosen language, even where the locale asked for is not installed. Only the message language, the character set
// and the form of dates follow the locale: numbers and everything else stay "C". Returns, in one line, which
// language the texts are in and why (for --verbose).
std::string UseEnvironmentLanguage();
// Makes gettext show a choice's texts (sets LANGUAGE for this process).
void UseLanguage(const LanguageChoice& choice);

// A whole number with the digit groups of the environment's LC_NUMERIC ("12,345" in en_US, "12 345" in ru_RU),
// the process's own numeric locale left "C"; without grouping (C, POSIX) as it is.
std::string LocalNumber(long long value);

// The decimal point of the environment's LC_NUMERIC ("." in en_US, "," in de_DE); without a locale (C, POSIX)
// the game's own comma, as its Russian texts write it.
std::string LocalDecimalPoint();

// A date and time to the minute as the locale writes them ("06/01/2026 09:05 PM" in en_US,
// "01.06.2026 21:05" in ru_RU); without a locale (C, POSIX) in the game's own form, day.month.year.
std::string LocalDateTime(int year, int month, int day, int hour, int minute);

// Binds our catalogue to a locale directory (holding <language>/LC_MESSAGES/zorvex2000.mo).
void BindCatalogue(const std::string& localeDir);

// Where the catalogues are looked for, existing directories that hold the English one, in order:
// <exe dir>/../share/locale, the installed locale directory, and the build tree's when the program
// runs from its build tree.
std::vector<std::string> CatalogueDirs();

} // namespace zv::platform
