// The headless services wired together over a scratch directory.
#include "app/Headless.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <utility>

namespace zv::app {

std::string MakeScratchDir(const std::string& purpose) {
    std::string pattern = (std::filesystem::temp_directory_path() / ("zv-" + purpose + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory for " + purpose);
    return pattern;
}

void KeptMessages::ShowError(const std::string&, const std::string& text) { shown.push_back(text); }
void KeptMessages::ShowInfo(const std::string&, const std::string& text) { shown.push_back(text); }

Headless::Headless(std::string directory) : dir(std::move(directory)) {
    services.messages = &messages;
    services.clock = &clock;
    services.account = &account;
    services.desktop = &desktop;
    services.dataDir = dir + "/data";
    services.settingsPath = dir + "/config.cfg";
}

} // namespace zv::app
