// The null objects of the ports: what the windows get where no real service or stand-in was given.
#include "app/Services.h"

#include <cstdio>

namespace zv::app {

namespace {

// Boxes that nobody sees still say what went wrong, on stderr.
struct StderrBoxes : platform::MessageBoxes {
    void ShowError(const std::string& title, const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
    void ShowInfo(const std::string& title, const std::string& text) override { ShowError(title, text); }
};
struct Silence : SoundPlayer {
    void Play(const char*) override {}
};
struct Midnight : Clock {
    TimeOfDay Now() const override { return {}; }
    DateTime Local() const override { return {}; }
    std::uint32_t Ticks() const override { return 0; }
};
struct NoChoice : platform::FileDialog {
    std::optional<std::string> OpenFile(const std::string&, const std::string&, const std::string&) override { return std::nullopt; }
};
struct Nobody : platform::Account {
    std::string PlayerName() const override { return {}; }
};
struct NoFullScreen : platform::FullScreenDisplay {
    void Initialise() override {}
    void Finalise() override {}
    bool Active() const override { return false; }
    platform::SavedDisplayMode Saved() const override { return {}; }
    void RestoreSavedDisplayMode() override {}
};

} // namespace

platform::FullScreenDisplay& Desktop::FullScreen() {
    static NoFullScreen none;
    return none;
}

platform::MessageBoxes& NoMessageBoxes() {
    static StderrBoxes none;
    return none;
}
SoundPlayer& NoSound() {
    static Silence none;
    return none;
}
const Clock& NoClock() {
    static Midnight none;
    return none;
}
platform::FileDialog& NoFileDialog() {
    static NoChoice none;
    return none;
}
const platform::Account& NoAccount() {
    static Nobody none;
    return none;
}
Desktop& NoDesktop() {
    static Desktop none;
    return none;
}

} // namespace zv::app
