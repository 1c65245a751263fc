// Reading and writing the settings file, byte for byte as the game has always stored it. The two-letter
// codes exist only here: the rest of the game sees typed settings.
#include "store/Settings.h"

#include <cerrno>

#include "store/TextFile.h"

namespace zv::store {

namespace {

constexpr const char* kAdvancedOn = "ad";
constexpr const char* kAdvancedOff = "na";
constexpr const char* kFullScreenOn = "fs";
constexpr const char* kFullScreenOff = "ns";
constexpr const char* kSoundOn = "sy";
constexpr const char* kSoundOff = "sn";

Switch SwitchOf(const std::string& code, const char* on, const char* off, std::string& kept) {
    kept.clear();
    if (code == on) return Switch::On;
    if (code == off) return Switch::Off;
    kept = code;
    return Switch::Other;
}

std::string CodeOf(Switch s, const char* on, const char* off, const std::string& kept) {
    switch (s) {
    case Switch::On: return on;
    case Switch::Off: return off;
    case Switch::Other: break;
    }
    return kept;
}

} // namespace

Settings DefaultSettings() { return FromCodes({kAdvancedOff, kFullScreenOff, kSoundOn}); }

SettingsCodes CodesOf(const Settings& settings) {
    // Advanced mode is written as it stands, so the choice made in the options window is kept.
    return {settings.advanced ? kAdvancedOn : kAdvancedOff, CodeOf(settings.fullScreen, kFullScreenOn, kFullScreenOff, settings.fullScreenCode),
            CodeOf(settings.sound, kSoundOn, kSoundOff, settings.soundCode)};
}

Settings FromCodes(const SettingsCodes& codes) {
    Settings s;
    s.advanced = codes.advanced == kAdvancedOn;
    s.fullScreen = SwitchOf(codes.fullScreen, kFullScreenOn, kFullScreenOff, s.fullScreenCode);
    s.sound = SwitchOf(codes.sound, kSoundOn, kSoundOff, s.soundCode);
    return s;
}

void ParseSettings(std::string_view content, Settings& settings) {
    std::size_t pos = 0;
    bool any = false;
    SettingsCodes codes;
    while (pos < content.size()) {
        std::string_view line = NextLine(content, pos);
        // Up to two characters per code; a short line leaves the later codes short or empty.
        auto take = [&line]() {
            const std::string_view part = line.substr(0, 2);
            line.remove_prefix(part.size());
            return std::string(part);
        };
        codes.advanced = take();
        codes.fullScreen = take();
        codes.sound = take();
        any = true;
    }
    if (any) settings = FromCodes(codes);
}

std::string FormatSettings(const Settings& settings) {
    const SettingsCodes c = CodesOf(settings);
    return c.advanced + c.fullScreen + c.sound + "\r\n";
}

namespace {

// Only the start of the last line counts: three codes of two characters.
constexpr std::size_t kSettingsLineHead = 6;

} // namespace

bool ReadSettingsFile(const std::string& path, Settings& settings) {
    // A file of any size is read, however it grew: the last line is found from the end of it, and a
    // last line far longer than the game writes is not searched to its start.
    std::string head;
    bool anyLine = false;
    try {
        anyLine = ReadLastLineHead(path, kSettingsLineHead, head, kLastLinePiece, kMaxSettingsLine);
    } catch (const InOutError& e) {
        if (e.errnoValue() == ENOENT) return false;
        throw;
    }
    // The last line's start, as one line of its own, reads as the whole file does; a file with
    // no line changes nothing.
    if (anyLine) ParseSettings(head + "\r\n", settings);
    return true;
}

void WriteSettingsFile(const std::string& path, const Settings& settings) {
    WriteTextFileAtomic(path, FormatSettings(settings));
}

} // namespace zv::store
