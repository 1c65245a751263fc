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

void GameFiles::Tell(const std::string& path, const std::string& message) {
    if (dataDirUnusable_ && path.rfind(dataDir_ + "/", 0) == 0) return;
    report_(message);
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
    } catch (const store::InOutError& e) {
        const std::string why = e.errnoValue() == ENOTDIR ? "not a directory" : store::Explain(e);
        report_(dataDir_ + ": " + why + "; " + kNotKept);
    } catch (const std::exception& e) {
        report_(dataDir_ + ": " + e.what() + "; " + kNotKept);
    }
    dataDirUnusable_ = true;
    return false;
}

std::optional<std::int32_t> GameFiles::ReadSkinNumber(std::int32_t current) {
    try {
        std::int32_t number = current;
        if (store::ReadSkinFile(skinFile_, number)) return number;
    } catch (const std::exception& e) {
        Tell(skinFile_, skinFile_ + ": " + store::Explain(e));
    }
    return std::nullopt;
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
    if (dataDirUnusable_) return;
    const std::string path = store::ScalePath(dataDir_);
    try {
        store::SaveScale(dataDir_, quarters);
    } catch (const std::exception& e) {
        Tell(path, path + ": " + store::Explain(e));
    }
}

void GameFiles::ForgetScale() {
    if (dataDirUnusable_) return;
    const std::string path = store::ScalePath(dataDir_);
    try {
        store::ForgetScale(dataDir_);
    } catch (const std::exception& e) {
        Tell(path, path + ": " + store::Explain(e));
    }
}

std::optional<bool> GameFiles::ReadMotion() {
    if (dataDirUnusable_) return std::nullopt;
    const store::MotionLoad load = store::LoadMotion(dataDir_);
    if (!load.error.empty()) Tell(store::MotionPath(dataDir_), load.error);
    return load.on;
}

void GameFiles::WriteMotion(bool on) {
    if (dataDirUnusable_) return;
    const std::string path = store::MotionPath(dataDir_);
    try {
        store::SaveMotion(dataDir_, on);
    } catch (const std::exception& e) {
        Tell(path, path + ": " + e.what());
    }
}

std::optional<KeptGame> GameFiles::ReadKeptGame() {
    if (dataDirUnusable_) return std::nullopt;
    store::KeptGameLoad load = store::LoadKeptGame(dataDir_);
    if (!load.error.empty()) Tell(store::KeptGamePath(dataDir_), load.error);
    return load.game;
}

void GameFiles::RefusedKeptGame(const std::string& problem) {
    const std::string path = store::KeptGamePath(dataDir_);
    Tell(path, path + ": " + problem + store::PutKeptGameAside(dataDir_) + " and the game starts empty");
}

void GameFiles::KeepGame(const std::optional<KeptGame>& game) {
    if (dataDirUnusable_) return;
    const std::string path = store::KeptGamePath(dataDir_);
    try {
        if (game) store::SaveKeptGame(dataDir_, *game);
        else store::ForgetKeptGame(dataDir_);
    } catch (const std::exception& e) {
        Tell(path, path + ": " + store::Explain(e) + (game ? "; the running game is not kept" : ""));
    }
}

void GameFiles::WriteSkinFile(std::int32_t number) {
    try {
        store::WriteSkinFile(skinFile_, number);
    } catch (const std::exception& e) {
        Tell(skinFile_, skinFile_ + ": " + store::Explain(e));
    }
}

void GameFiles::WriteSettings(const Game& game) {
    if (settingsUnread_) return;
    try {
        store::WriteSettingsFile(settingsPath_, game.State().Switches);
    } catch (const std::exception& e) {
        Tell(settingsPath_, settingsPath_ + ": " + store::Explain(e));
    }
}

} // namespace zv::app
