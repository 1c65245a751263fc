// What the windows need of the operating system: narrow ports, each filled with a null object until the
// program is given a real one (main) or a stand-in (tests, tools), so no caller asks whether one exists.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "game/Ports.h"
#include "platform/Account.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "ui/Scale.h"

namespace zv::ui {
class Form;
}

namespace zv::app {

// The part a window plays on the desktop.
enum class WindowRole {
    Main,  // the game's window
    Owned, // kept above the main window, full screen included, and minimised with it
    Spare, // created, never shown
};

// The desktop our windows live on: showing and hiding them, the scale they are drawn at, the event loop's
// services. As it stands it is the null desktop: no windows, scale 1, work done at once, a clock at 0.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void Open(ui::Form& form, WindowRole role) { (void)form, (void)role; }
    virtual void Show(ui::Form& form) { (void)form; }
    virtual void Hide(ui::Form& form) { (void)form; }
    // Puts a window's corner on another's, unless that one fills the screen.
    virtual void PlaceOver(ui::Form& form, ui::Form& under) { (void)form, (void)under; }
    virtual void MinimiseAll() {}
    virtual void Quit() {}
    // Runs work once the frame now drawn has been shown.
    virtual void Later(std::function<void()> task) { task(); }
    // What the event loop runs: a frame while something moves (it says whether anything still does), and
    // the report of an error a handler threw.
    virtual void DriveLoop(std::function<bool()> frame, std::function<void(const std::string&)> error) {
        (void)frame, (void)error;
    }
    // The factor of the desktop, and the largest step whose main window fits the screen.
    virtual ui::Scale DesktopScale() const { return 1; }
    virtual ui::Scale LargestScale() const { return 1; }
    // Draws every window at a scale.
    virtual void SetScale(ui::Scale scale) { (void)scale; }
    virtual void OpenUrl(const std::string& url) { (void)url; }
    // Full screen for the main window.
    virtual platform::FullScreenDisplay& FullScreen();
};

// The null objects of the ports.
platform::MessageBoxes& NoMessageBoxes();
SoundPlayer& NoSound();
const Clock& NoClock();
platform::FileDialog& NoFileDialog();
const platform::Account& NoAccount();
Desktop& NoDesktop();

struct Services {
    platform::MessageBoxes* messages = &NoMessageBoxes();
    SoundPlayer* sound = &NoSound();
    const Clock* clock = &NoClock();
    platform::FileDialog* fileDialog = &NoFileDialog();
    // The account that names the player.
    const platform::Account* account = &NoAccount();
    Desktop* desktop = &NoDesktop();
    // Where the record and skin files live (created when missing).
    std::string dataDir;
    // Where "config.cfg" lives; unset, in the data directory, whatever directory the game was started from.
    std::string settingsPath;
    // Motion on the board. Off, the board shows every turn at once.
    bool animation = false;
};

} // namespace zv::app
