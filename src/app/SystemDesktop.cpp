// The real desktop over the window host.
#include "app/SystemDesktop.h"

#include <algorithm>
#include <cstdio>

#include "app/Layout.h"
#include "platform/OpenUrl.h"

namespace zv::app {

SystemDesktop::SystemDesktop(platform::WindowHost& host, platform::HostMessageBoxes* boxes, ui::Scale desktopScale, int largestScale)
    : host_(host), boxes_(boxes), desktopScale_(desktopScale), largestScale_(largestScale) {}

void SystemDesktop::Open(ui::Form& form, WindowRole role) {
    platform::WindowOptions options;
    if (role == WindowRole::Owned) options = {true, false, true, true};
    if (role == WindowRole::Spare) options = {true, false, true};
    // The main window is made at the scale it is most likely shown at, the desktop's: shown at the size it was
    // made at, it need not be placed again, nor the server's word on its size awaited, before its first frame.
    if (role == WindowRole::Main && !main_) host_.SetScale(std::min(desktopScale_, LargestScale()));
    platform::HostWindow& w = host_.Create(form, "Zorvex 2000", options);
    windows_[&form] = &w;
    if (role == WindowRole::Main && !main_) {
        main_ = &w;
        if (boxes_) boxes_->SetParent(&w);
        fullScreen_ = std::make_unique<platform::FullScreen>(w.Sdl());
    } else if (role == WindowRole::Owned && main_) {
        w.SetOwner(*main_);
    }
}

platform::HostWindow* SystemDesktop::WindowOf(const ui::Form& form) const {
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second;
}

void SystemDesktop::Show(ui::Form& form) {
    if (platform::HostWindow* w = WindowOf(form)) w->Show();
}

void SystemDesktop::Hide(ui::Form& form) {
    if (platform::HostWindow* w = WindowOf(form)) w->Hide();
}

void SystemDesktop::PlaceOver(ui::Form& form, ui::Form& under) {
    platform::HostWindow* w = WindowOf(form);
    platform::HostWindow* u = WindowOf(under);
    if (!w || !u || u->FullScreen()) return;
    int x = 0, y = 0;
    SDL_GetWindowPosition(u->Sdl(), &x, &y);
    w->Place(x, y);
}

ui::Scale SystemDesktop::LargestScale() const {
    if (largestScale_ > 0) return largestScale_;
    return host_.LargestScale(kMainDesignWidth, kMainDesignHeight);
}

void SystemDesktop::SetScale(ui::Scale scale) {
    host_.SetScale(scale);
    if (verbose)
        std::fprintf(stderr, "zorvex2000: windows drawn at scale %s (the largest at which the main window fits the screen is %s)\n",
                     scale.Text().c_str(), host_.LargestScale(kMainDesignWidth, kMainDesignHeight).Text().c_str());
    if (fullScreen_) fullScreen_->SetWindowedSize(scale.Px(kMainDesignWidth), scale.Px(kMainDesignHeight));
}

void SystemDesktop::OpenUrl(const std::string& url) { platform::OpenUrl(url); }


platform::FullScreenDisplay& SystemDesktop::FullScreen() {
    if (fullScreen_) return *fullScreen_;
    return Desktop::FullScreen();
}

} // namespace zv::app
