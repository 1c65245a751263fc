// Stand-ins for the operating system's services: message boxes, full screen, file chooser and account (the
// speaker and the clock are the rules' ports, in GameFakes.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kit/GameFakes.h"
#include "platform/Account.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

namespace zv::kit {

// Remembers every box instead of waiting for a person to close it.
class FakeMessageBoxes : public platform::MessageBoxes {
public:
    enum class Kind { Error, Info };
    struct Message {
        Kind kind;
        std::string title;
        std::string text;
    };
    void ShowError(const std::string& title, const std::string& text) override {
        shown.push_back({Kind::Error, title, text});
    }
    void ShowInfo(const std::string& title, const std::string& text) override {
        shown.push_back({Kind::Info, title, text});
    }
    std::vector<Message> shown;
};

// Counts the calls; Initialise throws while failInitialise is set.
class FakeFullScreen : public platform::FullScreenDisplay {
public:
    void Initialise() override {
        ++initialiseCalls;
        if (failInitialise) throw platform::FullScreenModeError();
        active = true;
    }
    void Finalise() override {
        ++finaliseCalls;
        active = false;
    }
    bool Active() const override { return active; }
    platform::SavedDisplayMode Saved() const override { return saved; }
    void RestoreSavedDisplayMode() override { ++restoreCalls; }

    bool failInitialise = false;
    bool active = false;
    int initialiseCalls = 0;
    int finaliseCalls = 0;
    int restoreCalls = 0;
    platform::SavedDisplayMode saved{1920, 1080, 24};
};

// Hands out the scripted answers in order (nullopt when they run out) and records the requests.
class FakeFileDialog : public platform::FileDialog {
public:
    struct Request {
        std::string title, filterName, pattern;
    };
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filterName,
                                        const std::string& pattern) override {
        requests.push_back({title, filterName, pattern});
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    std::vector<std::optional<std::string>> answers;
    std::vector<Request> requests;
};

// An account with the name it was given.
class FakeAccount : public platform::Account {
public:
    std::string name = "Игрок Тестовый";
    std::string PlayerName() const override { return name; }
};

} // namespace zv::kit
