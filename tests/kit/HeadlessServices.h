// The program's services made of stand-ins over a scratch directory: how tests, the snapshot tool and the
// click benchmark start the windows without a display, a speaker or a person to close message boxes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Headless.h"
#include "app/Services.h"
#include "kit/PlatformFakes.h"
#include "ui/Control.h"

namespace zv::kit {

using app::MakeScratchDir;

class HeadlessServices;

// The desktop as tests see it: which windows are up, the scale asked for, work queued for after the frame.
class HeadlessDesktop : public app::Desktop {
public:
    explicit HeadlessDesktop(HeadlessServices& kit) : kit_(kit) {}
    void Open(ui::Form& form, app::WindowRole role) override;
    void Show(ui::Form& form) override;
    void Hide(ui::Form& form) override;
    void MinimiseAll() override;
    void Quit() override;
    void Later(std::function<void()> task) override;
    ui::Scale DesktopScale() const override;
    ui::Scale LargestScale() const override;
    void SetScale(ui::Scale scale) override;
    void OpenUrl(const std::string& url) override;
    platform::FullScreenDisplay& FullScreen() override;

private:
    void Showing(const ui::Form& form, bool shown);
    HeadlessServices& kit_;
};

class HeadlessServices {
public:
    // dataDir is dir/data and the settings file dir/config.cfg.
    explicit HeadlessServices(const std::string& dir);
    HeadlessServices(const HeadlessServices&) = delete;
    HeadlessServices& operator=(const HeadlessServices&) = delete;

    std::string dir;
    FakeMessageBoxes boxes;
    FakeSound sound;
    FakeClock clock{{10, 20, 30, 400}};
    FakeFileDialog dialog;
    FakeFullScreen fullScreen;
    FakeAccount account;
    HeadlessDesktop desktop{*this};
    app::Services services;
    int minimised = 0, quitRequests = 0;
    bool optionsShown = false;
    bool rulesShown = false;
    std::vector<std::string> opened;
    // The windows given their windows on the desktop, in that order, and the part each plays.
    std::vector<std::pair<std::string, app::WindowRole>> desktopWindows;
    // Work queued to run after the frame, and whether the best-games window is up.
    std::vector<std::function<void()>> later;
    void RunLater();
    bool bestGamesShown = false;
    // The desktop's scale and the largest the screen takes, as the window host would say; the scale
    // the windows were last asked to take, and the forms drawn at it (every form opened).
    ui::Scale desktopScale = 1;
    ui::Scale largestScale = 4;
    ui::Scale scale = 1;
    std::vector<ui::Form*> scaledForms;
};

} // namespace zv::kit
