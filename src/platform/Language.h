// The player's language: the game's texts go through the message catalogue of the locale in use.
#pragma once

#include <libintl.h>

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

// Takes the language from the environment and binds our catalogue (from CatalogueDirs()). Only the
// message language, the character set and the form of dates follow the locale: numbers and everything
// else stay "C". Returns, in one line, which language the texts are in and why (for --verbose): a locale
// that is not installed, or no English catalogue where it was looked for, leaves them Russian.
std::string UseEnvironmentLanguage();

// A date and time to the minute as the locale writes them ("06/01/2026 09:05 PM" in en_US,
// "01.06.2026 21:05" in ru_RU); without a locale (C, POSIX) in the game's own form, day.month.year.
std::string LocalDateTime(int year, int month, int day, int hour, int minute);

// Binds our catalogue to a locale directory (holding en/LC_MESSAGES/zorvex2000.mo).
void BindCatalogue(const std::string& localeDir);

// Where the catalogue is looked for, existing directories that hold the English one, in order:
// <exe dir>/../share/locale, the installed locale directory, and the build tree's when the program
// runs from its build tree.
std::vector<std::string> CatalogueDirs();

// Whether the catalogue in use is an English one: the windows then show their English artwork.
bool EnglishInUse();

} // namespace zv::platform
