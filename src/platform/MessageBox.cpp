// Message boxes through SDL, with the locale set so that Cyrillic text shows under X11.
#include "platform/MessageBox.h"

#include <SDL.h>
#include <langinfo.h>

#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>
#include <strings.h>

namespace zv::platform {

namespace {

bool IsUtf8(const char* codeset) {
    return codeset && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0);
}

} // namespace

std::string Utf8LocaleOverride() {
    const char* current = setlocale(LC_CTYPE, nullptr);
    const std::string saved = current ? current : "C";
    std::string result;
    // The box's helper process calls setlocale(LC_ALL, "") itself: what counts is the
    // environment, not our own locale.
    const bool envIsUtf8 = setlocale(LC_CTYPE, "") && IsUtf8(nl_langinfo(CODESET));
    if (!envIsUtf8 && setlocale(LC_CTYPE, "C.UTF-8")) result = "C.UTF-8";
    setlocale(LC_CTYPE, saved.c_str());
    return result;
}

void SdlMessageBoxes::Show(unsigned flags, const std::string& title, const std::string& text) {
    // LC_ALL is put back after the box, so that programs we start later see the player's own.
    const std::string override = Utf8LocaleOverride();
    std::optional<std::string> oldLcAll;
    if (!override.empty()) {
        if (const char* v = std::getenv("LC_ALL")) oldLcAll = v;
        setenv("LC_ALL", override.c_str(), 1);
    }
    SDL_ShowSimpleMessageBox(flags, title.c_str(), text.c_str(), parent_);
    if (!override.empty()) {
        if (oldLcAll) setenv("LC_ALL", oldLcAll->c_str(), 1);
        else unsetenv("LC_ALL");
    }
}

void SdlMessageBoxes::ShowError(const std::string& title, const std::string& text) {
    Show(SDL_MESSAGEBOX_ERROR, title, text);
}

void SdlMessageBoxes::ShowInfo(const std::string& title, const std::string& text) {
    Show(SDL_MESSAGEBOX_INFORMATION, title, text);
}

} // namespace zv::platform
