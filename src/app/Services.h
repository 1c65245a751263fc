// What the windows need of the operating system, gathered so tests can hand in fakes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/Ports.h"

namespace zv::platform {
class MessageBoxes;
class FileDialog;
class FullScreenDisplay;
class Calendar;
class Account;
} // namespace zv::platform

namespace zv::app {

struct Services {
    platform::MessageBoxes* messages = nullptr;
    SoundPlayer* sound = nullptr;
    const Clock* clock = nullptr;
    platform::FileDialog* fileDialog = nullptr;
    // Where the record and skin files live (created when missing).
    std::string dataDir;
    // Where "config.cfg" lives: in the data directory, whatever directory the game was started from.
    std::string settingsPath;
    // Full screen for the main window; null where there is no real window (tests).
    std::function<platform::FullScreenDisplay*()> fullScreen;
    std::function<void()> minimise;
    std::function<void()> requestQuit;
    std::function<void()> showOptions;
    std::function<void()> hideOptions;
    // The full-screen switch of the options window, pressed from the keyboard.
    std::function<void()> pressFullScreenSwitch;
    // The rules window: shown above the main window, hidden by its own close button and keys.
    std::function<void()> showRules;
    std::function<void()> hideRules;
    std::function<void(const std::string&)> openUrl;
    // The date and time the best games are kept with, and the account that names the player.
    const platform::Calendar* calendar = nullptr;
    const platform::Account* account = nullptr;
    // Runs work once the frame now drawn has been shown; when unset the work is done at once.
    std::function<void(std::function<void()>)> later;
    // The best-games window, showing the table of a mode.
    std::function<void(Mode)> showBestGames;
    std::function<void()> hideBestGames;
    // The whole factor the windows are drawn at: the desktop's, the largest whose main window fits the
    // screen, and drawing every window at one. Unset: always 1.
    std::function<int()> desktopScale;
    std::function<int()> largestScale;
    std::function<void(int)> setScale;
};

} // namespace zv::app
