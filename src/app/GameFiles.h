// The main window's file work: the settings, the data directory, the skin file, the records, the scale, the motion
// switch and the kept game, read at start-up and written in play or at exit (the best games and statistics are the
// best-games book's).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/Services.h"
#include "game/Game.h"
#include "store/Records.h"

namespace zv::app {

class GameFiles {
public:
    using Report = std::function<void(const std::string& message)>;
    GameFiles(const Services& services, Report report);

    // The writer the rules call during play.
    RecordWriter& Records() { return records_; }

    // Start-up, in the order the window does it. A missing settings file is no error: the game
    // starts with the defaults, as it does after reporting one that cannot be read.
    void ReadSettings(Game& game);
    // Creates the data directory when it is missing. One that cannot be used is reported once, naming
    // it and why; the game then starts with the defaults and says nothing more of the files in it.
    bool PrepareDataDirectory();
    // The skin number the skin file holds, or nothing when there is no skin file (or it failed);
    // a file without any number gives back the current one.
    std::optional<std::int32_t> ReadSkinNumber(std::int32_t current);
    // Every mode's record, in the store's reading order: the last one read is what the record label shows.
    void ReadRecords(Game& game);

    // The scale the player chose with the keys, in quarters, or nothing: no choice kept (or the file is broken or
    // unreadable, which is reported; the desktop's scale is used).
    std::optional<int> ReadScale();
    // Keeps the player's scale; forgets it when they go back to the desktop's. Failures are reported.
    void WriteScale(int quarters);
    void ForgetScale();

    // Whether the player turned the board's motion on or off (nothing: never chosen, or the file is broken or
    // unreadable, which is reported), and keeping the choice. Failures are reported.
    std::optional<bool> ReadMotion();
    void WriteMotion(bool on);
    // Called by each built-in skin as its last step; a failure is reported and the skin stays.
    void WriteSkinFile(std::int32_t number);
    // The game kept at the last exit, or nothing (none kept, or the file is broken, which is reported once
    // and the file put aside). The game refuses one that cannot go on: Refused reports that the same way.
    std::optional<KeptGame> ReadKeptGame();
    void RefusedKeptGame(const std::string& problem);
    // Exit: the running game is kept; with none running the file goes. Also when a kept game has ended, so
    // it cannot come back and count twice. Failures are reported.
    void KeepGame(const std::optional<KeptGame>& game);
    // Exit: the settings file, unless it was there but could not be read: the player's file is kept.
    void WriteSettings(const Game& game);

private:
    // Whether path is in a data directory already reported as unusable: nothing more is said of it.
    bool InUnusableDir(const std::string& path) const;
    // Reports a failure, but none about a file in a data directory already reported as unusable.
    void Tell(const std::string& path, const std::string& message);
    // Does one piece of file work on path, and reports its failure as "<path>: <the error explained><after>"; work
    // on a file in a data directory already reported as unusable is not tried.
    void Attempt(const std::string& path, const std::function<void()>& work, const std::string& after = "");

    Report report_;
    bool settingsUnread_ = false;
    bool dataDirUnusable_ = false;
    std::string settingsPath_;
    std::string dataDir_;
    std::string skinFile_;
    store::FileRecordWriter records_;
};

} // namespace zv::app
