// Start-up reading and exit writing of the game's files, each failure reported with the file it concerns.
#include "app/GameFiles.h"

#include <cerrno>
#include <exception>

#include "store/KeptGameFile.h"
#include "store/MotionFile.h"
#include "store/ScaleFile.h"
#include "store/Settings.h"
#include "store/SkinFile.h"
#include "store/TextFile.h"

namespace zv::app {

namespace {
constexpr const char* kNotKept = "the settings, records, best games, scale and skin choice are not kept this time";
} // namespace

GameFiles::GameFiles(const Services& services, Report report)
    : report_(std::move(report)),
      settingsPath_(services.settingsPath.empty() ? services.dataDir + "/config.cfg" : services.settingsPath),
      dataDir_(services.dataDir),
      skinFile_(services.dataDir + "/" + store::kSkinFileName),
      records_(services.dataDir, [this](const std::string& m) { Tell(dataDir_ + "/", m); }) {}

bool GameFiles::InUnusableDir(const std::string& path) const {
    return dataDirUnusable_ && path.rfind(dataDir_ + "/", 0) == 0;
}

void GameFiles::Tell(const std::string& path, const std::string& message) {
    if (!InUnusableDir(path)) report_(message);
}

void GameFiles::Attempt(const std::string& path, const std::function<void()>& work, const std::string& after) {
    // A file in a data directory already reported as unusable is not tried: that report said it all.
    if (InUnusableDir(path)) return;
    try {
        work();
    } catch (const std::exception& e) {
        report_(path + ": " + store::Explain(e) + after);
    }
}

void GameFiles::ReadSettings(Game& game) {
    Settings settings = store::DefaultSettings();
    try {
        store::ReadSettingsFile(settingsPath_, settings);
    } catch (const std::exception& e) {
        settings = store::DefaultSettings();
        const auto* io = dynamic_cast<const store::InOutError*>(&e);
        // A data directory that is no directory holds no settings: the check of the directory says so next.
        if (!io || io->errnoValue() != ENOTDIR || settingsPath_.rfind(dataDir_ + "/", 0) != 0) {
            report_(settingsPath_ + ": " + store::Explain(e) + "; the game starts with the default settings and leaves the file as it is");
            settingsUnread_ = true;
        }
    }
    game.LoadSettings(settings);
}

bool GameFiles::PrepareDataDirectory() {
    try {
        store::EnsureDirectory(dataDir_);
        return true;
    } catch (const std::exception& e) {
        const auto* io = dynamic_cast<const store::InOutError*>(&e);
        report_(dataDir_ + ": " + (io && io->errnoValue() == ENOTDIR ? std::string("not a directory") : store::Explain(e)) + "; " + kNotKept);
    }
    dataDirUnusable_ = true;
    return false;
}

std::optional<std::int32_t> GameFiles::ReadSkinNumber(std::int32_t current) {
    std::optional<std::int32_t> number;
    Attempt(skinFile_, [&] {
        std::int32_t read = current;
        if (store::ReadSkinFile(skinFile_, read)) number = read;
    });
    return number;
}

void GameFiles::ReadRecords(Game& game) {
    for (Mode m : store::kRecordReadOrder) {
        // Without a data directory every mode starts from the record a new file would hold.
        const store::RecordLoad r = dataDirUnusable_ ? store::RecordLoad{} : store::LoadRecordFile(dataDir_, m);
        if (!r.error.empty()) Tell(store::RecordFilePath(dataDir_, m), r.error);
        game.LoadRecord(m, r.text, r.value);
    }
}

std::optional<int> GameFiles::ReadScale() {
    if (dataDirUnusable_) return std::nullopt;
    const store::ScaleLoad load = store::LoadScale(dataDir_);
    if (!load.error.empty()) Tell(store::ScalePath(dataDir_), load.error);
    return load.scale;
}

void GameFiles::WriteScale(int quarters) {
    Attempt(store::ScalePath(dataDir_), [&] { store::SaveScale(dataDir_, quarters); });
}

void GameFiles::ForgetScale() {
    Attempt(store::ScalePath(dataDir_), [&] { store::ForgetScale(dataDir_); });
}

std::optional<bool> GameFiles::ReadMotion() {
    if (dataDirUnusable_) return std::nullopt;
    const store::MotionLoad load = store::LoadMotion(dataDir_);
    if (!load.error.empty()) Tell(store::MotionPath(dataDir_), load.error);
    return load.on;
}

void GameFiles::WriteMotion(bool on) {
    Attempt(store::MotionPath(dataDir_), [&] { store::SaveMotion(dataDir_, on); });
}

std::optional<KeptGame> GameFiles::ReadKeptGame() {
    if (dataDirUnusable_) return std::nullopt;
    store::KeptGameLoad load = store::LoadKeptGame(dataDir_);
    if (!load.error.empty()) Tell(store::KeptGamePath(dataDir_), load.error);
    return load.game;
}

void GameFiles::RefusedKeptGame(const std::string& problem) {
    const std::string path = store::KeptGamePath(dataDir_);
    Tell(path, path + ": " + problem + store::PutKeptGameAside(dataDir_));
}

void GameFiles::KeepGame(const std::optional<KeptGame>& game) {
    Attempt(
        store::KeptGamePath(dataDir_),
        [&] {
            if (game) store::SaveKeptGame(dataDir_, *game);
            else store::ForgetKeptGame(dataDir_);
        },
        game ? "; the running game is not kept" : "");
}

void GameFiles::WriteSkinFile(std::int32_t number) {
    Attempt(skinFile_, [&] { store::WriteSkinFile(skinFile_, number); });
}

void GameFiles::WriteSettings(const Game& game) {
    if (settingsUnread_) return;
    Attempt(settingsPath_, [&] { store::WriteSettingsFile(settingsPath_, game.State().Switches); });
}

} // namespace zv::app
