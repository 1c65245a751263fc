// The best games of every mode and the statistics of all games as the program keeps them: filled from the
// rules' reports of finished games, read at start-up and written to the data directory after the frame that
// ends a game.
#pragma once

#include <cstdint>
#include <string>

#include "app/Services.h"
#include "app/Windows.h"
#include "game/BestGames.h"
#include "game/Statistics.h"
#include "game/TurnReport.h"

namespace zv::app {

class BestGamesBook {
public:
    // The windows hear of every change, and of the errors of its files.
    BestGamesBook(const Services& services, Windows& windows);

    // Start-up: reads the file of the data directory; without a usable one the tables live in memory only.
    void Load(bool dataDirUsable);

    // A finished game: dated, named, entered into its mode's table when it scored above 0 and beats the
    // tenth; counted in the statistics when it scored above 0. Writing the files waits until the frame is
    // shown. The row it took (0 is the best), -1 when none.
    int GameFinished(const GameEnding& game);

    const BestTable& Table(Mode mode) const { return tables_[static_cast<std::size_t>(mode)]; }
    // The statistics of a mode: the file as last read or written, with this copy's games since.
    const ModeStats& Stats(Mode mode) const { return stats_[static_cast<std::size_t>(mode)]; }
    // A row's game number and hints; null for a row from before numbers were kept.
    const RowFacts* Facts(Mode mode, const BestGame& row) const;
    // The row the last finished game took (0 is the best), -1 when it entered no table.
    int MarkedRow(Mode mode) const { return markedRow_ >= 0 && mode == markedMode_ ? markedRow_ : -1; }

    // Writes the file now when the tables changed since it was last written (also at exit).
    void Flush();
    bool WritePending() const { return dirty_ || factsDirty_ || !uncounted_.empty(); }

private:
    const std::string& PlayerName();
    void QueueWrite();
    void FlushStatistics();
    void FlushRowFacts();
    void FlushTable();

    const Services& services_;
    Windows& windows_;
    BestTables tables_;
    Mode markedMode_ = Mode::Line;
    int markedRow_ = -1;
    bool writable_ = false;
    bool dirty_ = false;
    bool queued_ = false;
    bool failing_ = false; // the last write failed and was reported
    std::string player_;
    Statistics stats_{};
    // The games this copy finished that the statistics file does not hold yet.
    std::vector<std::pair<Mode, CountedGame>> uncounted_;
    bool statsWritable_ = false;
    RowFactsMap facts_;
    bool factsDirty_ = false;
    bool factsWritable_ = false;
    bool factsFailing_ = false;
    bool statsFailing_ = false;
};

} // namespace zv::app
