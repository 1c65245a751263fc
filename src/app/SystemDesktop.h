// The real desktop: our forms in SDL windows of the window host, full screen for the main one, the browser.
#pragma once

#include <map>
#include <memory>

#include "app/Services.h"
#include "platform/Display.h"
#include "platform/HostMessageBoxes.h"
#include "platform/WindowHost.h"

namespace zv::app {

class SystemDesktop : public Desktop {
public:
    // desktopScale: the scale the desktop asks for; largestScale, when given, stands in for the screen's.
    SystemDesktop(platform::WindowHost& host, platform::HostMessageBoxes* boxes, ui::Scale desktopScale, int largestScale = 0);

    void Open(ui::Form& form, WindowRole role) override;
    void Show(ui::Form& form) override;
    void Hide(ui::Form& form) override;
    void PlaceOver(ui::Form& form, ui::Form& under) override;
    void MinimiseAll() override { host_.MinimiseAll(); }
    void Quit() override { host_.RequestQuit(); }
    void Later(std::function<void()> task) override { host_.Later(std::move(task)); }
    void DriveLoop(std::function<bool()> frame, std::function<void(const std::string&)> error) override {
        host_.OnFrame = std::move(frame);
        host_.OnError = std::move(error);
    }
    ui::Scale DesktopScale() const override { return desktopScale_; }
    ui::Scale LargestScale() const override;
    void SetScale(ui::Scale scale) override;
    void OpenUrl(const std::string& url) override;
    platform::FullScreenDisplay& FullScreen() override;

    // Says on stderr at which scale the windows are drawn, and the largest that fits.
    bool verbose = false;

    // The host window of a form opened here, or null.
    platform::HostWindow* WindowOf(const ui::Form& form) const;

private:
    platform::WindowHost& host_;
    platform::HostMessageBoxes* boxes_;
    ui::Scale desktopScale_;
    int largestScale_;
    platform::HostWindow* main_ = nullptr;
    std::unique_ptr<platform::FullScreen> fullScreen_;
    std::map<const ui::Form*, platform::HostWindow*> windows_;
};

} // namespace zv::app
