// Wires the stand-ins into the services the windows take.
#include "kit/HeadlessServices.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

namespace zv::kit {

std::string MakeScratchDir(const std::string& purpose) {
    std::string tmpl = (std::filesystem::temp_directory_path() / ("zv-" + purpose + "-XXXXXX")).string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a scratch directory for " + purpose);
    return tmpl;
}

HeadlessServices::HeadlessServices(const std::string& d) : dir(d) {
    services.messages = &boxes;
    services.sound = &sound;
    services.clock = &clock;
    services.fileDialog = &dialog;
    services.dataDir = dir + "/data";
    services.settingsPath = dir + "/config.cfg";
    services.fullScreen = [this]() -> platform::FullScreenDisplay* { return &fullScreen; };
    services.minimise = [this] { ++minimised; };
    services.requestQuit = [this] { ++quitRequests; };
    services.showOptions = [this] { optionsShown = true; };
    services.hideOptions = [this] { optionsShown = false; };
    services.optionsShown = [this] { return optionsShown; };
    services.showRules = [this] { rulesShown = true; };
    services.hideRules = [this] { rulesShown = false; };
    services.openUrl = [this](const std::string& u) { opened.push_back(u); };
    services.calendar = &calendar;
    services.account = &account;
    services.later = [this](std::function<void()> task) { later.push_back(std::move(task)); };
    services.showBestGames = [this](Mode m) {
        bestGamesShown = true;
        bestGamesMode = m;
    };
    services.hideBestGames = [this] { bestGamesShown = false; };
    services.desktopScale = [this] { return desktopScale; };
    services.largestScale = [this] { return largestScale; };
    services.setScale = [this](int s) {
        scale = s;
        for (ui::Form* f : scaledForms) f->SetScale(s);
    };
}

void HeadlessServices::RunLater() {
    std::vector<std::function<void()>> tasks;
    tasks.swap(later);
    for (auto& task : tasks) task();
}

} // namespace zv::kit
