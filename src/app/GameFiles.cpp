// Start-up reading and exit writing of the game's files, each failure reported with the file it concerns.
#include "app/GameFiles.h"

#include <exception>

#include "store/Settings.h"
#include "store/SkinFile.h"
#include "store/TextFile.h"

namespace zv::app {

GameFiles::GameFiles(const Services& services, Report report)
    : report_(std::move(report)),
      settingsPath_(services.settingsPath),
      dataDir_(services.dataDir),
      skinFile_(services.dataDir + "/" + store::kSkinFileName),
      records_(services.dataDir, [this](const std::string& m) { report_(m); }) {}

void GameFiles::ReadSettings(Game& game) {
    Settings settings = store::DefaultSettings();
    try {
        store::ReadSettingsFile(settingsPath_, settings);
    } catch (const std::exception& e) {
        report_(settingsPath_ + ": " + e.what());
        settings = store::DefaultSettings();
    }
    game.LoadSettings(settings);
}

void GameFiles::PrepareDataDirectory() {
    try {
        store::EnsureDirectory(dataDir_);
    } catch (const std::exception& e) {
        report_(dataDir_ + ": " + e.what());
    }
}

std::optional<std::int32_t> GameFiles::ReadSkinNumber(std::int32_t current) {
    try {
        std::int32_t number = current;
        if (store::ReadSkinFile(skinFile_, number)) return number;
    } catch (const std::exception& e) {
        report_(skinFile_ + ": " + e.what());
    }
    return std::nullopt;
}

void GameFiles::ReadRecords(Game& game) {
    for (Mode m : store::kRecordReadOrder) {
        const store::RecordLoad r = store::LoadRecordFile(dataDir_, m);
        if (!r.error.empty()) report_(r.error);
        game.LoadRecord(m, r.text, r.value);
    }
}

void GameFiles::WriteSkinFile(std::int32_t number) {
    try {
        store::WriteSkinFile(skinFile_, number);
    } catch (const std::exception& e) {
        report_(skinFile_ + ": " + e.what());
    }
}

void GameFiles::WriteSettings(const Game& game) {
    try {
        store::WriteSettingsFile(settingsPath_, game.State().Switches);
    } catch (const std::exception& e) {
        report_(settingsPath_ + ": " + e.what());
    }
}

} // namespace zv::app
