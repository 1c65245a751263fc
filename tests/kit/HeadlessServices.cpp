// Wires the stand-ins into the services the windows take.
#include "kit/HeadlessServices.h"

namespace zv::kit {

HeadlessServices::HeadlessServices(const std::string& d) : dir(d) {
    services.messages = &boxes;
    services.sound = &sound;
    services.clock = &clock;
    services.fileDialog = &dialog;
    services.account = &account;
    services.desktop = &desktop;
    services.dataDir = dir + "/data";
    services.settingsPath = dir + "/config.cfg";
}

void HeadlessDesktop::Open(ui::Form& form, app::WindowRole role) { kit_.desktopWindows.push_back({form.Name(), role}); }

void HeadlessDesktop::Showing(const ui::Form& form, bool shown) {
    const std::string& name = form.Name();
    if (name == "Form2") kit_.optionsShown = shown;
    else if (name == "FormRules") kit_.rulesShown = shown;
    else if (name == "BestGames") kit_.bestGamesShown = shown;
}
void HeadlessDesktop::Show(ui::Form& form) { Showing(form, true); }
void HeadlessDesktop::Hide(ui::Form& form) { Showing(form, false); }
void HeadlessDesktop::MinimiseAll() { ++kit_.minimised; }
void HeadlessDesktop::Quit() { ++kit_.quitRequests; }
void HeadlessDesktop::Later(std::function<void()> task) { kit_.later.push_back(std::move(task)); }
ui::Scale HeadlessDesktop::DesktopScale() const { return kit_.desktopScale; }
ui::Scale HeadlessDesktop::LargestScale() const { return kit_.largestScale; }
void HeadlessDesktop::SetScale(ui::Scale s) {
    kit_.scale = s;
    for (ui::Form* f : kit_.scaledForms) f->SetScale(s);
}
void HeadlessDesktop::OpenUrl(const std::string& url) { kit_.opened.push_back(url); }
platform::FullScreenDisplay& HeadlessDesktop::FullScreen() { return kit_.fullScreen; }

void HeadlessServices::RunLater() {
    std::vector<std::function<void()>> tasks;
    tasks.swap(later);
    for (auto& task : tasks) task();
}

} // namespace zv::kit
