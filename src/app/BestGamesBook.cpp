// The best games kept: entering finished games, the start-up read, and the write after the frame.
#include "app/BestGamesBook.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "platform/Account.h"
#include "platform/Clock.h"
#include "store/BestGamesFile.h"
#include "store/RowFactsFile.h"
#include "store/StatisticsFile.h"
#include "store/TextFile.h"

namespace zv::app {

BestGamesBook::BestGamesBook(const Services& services, Windows& windows) : services_(services), windows_(windows) {}

void BestGamesBook::Load(bool dataDirUsable) {
    writable_ = statsWritable_ = factsWritable_ = dataDirUsable;
    if (!dataDirUsable) return;
    const DateTime now = services_.clock->Local();
    store::BestGamesLoad r = store::LoadBestGamesFile(services_.dataDir, now);
    tables_ = std::move(r.tables);
    writable_ = r.writable;
    if (!r.error.empty()) windows_.ReportError(r.error);
    store::StatisticsLoad s = store::LoadStatistics(services_.dataDir);
    stats_ = s.stats;
    statsWritable_ = s.writable;
    if (!s.error.empty()) windows_.ReportError(s.error);
    store::RowFactsLoad f = store::LoadRowFacts(services_.dataDir);
    facts_ = std::move(f.facts);
    factsWritable_ = f.writable;
    if (!f.error.empty()) windows_.ReportError(f.error);
    windows_.BestGamesChanged();
}

const std::string& BestGamesBook::PlayerName() {
    // Asked once, when the first game ends: the account database can be slow to answer.
    if (player_.empty()) player_ = store::CleanPlayerName(services_.account->PlayerName());
    return player_;
}

int BestGamesBook::GameFinished(const GameEnding& ended) {
    markedRow_ = -1;
    const Mode mode = ended.mode;
    BestGame game;
    game.score = ended.score;
    game.when = services_.clock->Local();
    game.moves = ended.moves;
    game.advanced = ended.advanced;
    game.player = PlayerName();
    // The statistics count the games the table would take: those that ended with points.
    if (ended.score > 0) {
        const CountedGame counted{ended.score, ended.moves, ended.hints, DayNumber(game.when.year, game.when.month, game.when.day)};
        stats_[static_cast<std::size_t>(mode)].Add(counted);
        uncounted_.emplace_back(mode, counted);
        QueueWrite();
    }
    // A game without a point (abandoned at once, or replaced while empty) is not one of the best.
    const int row = ended.score > 0 ? EnterGame(tables_[static_cast<std::size_t>(mode)], std::move(game)) : -1;
    if (row >= 0) {
        markedMode_ = mode;
        markedRow_ = row;
        dirty_ = true;
        BestTable& table = tables_[static_cast<std::size_t>(mode)];
        facts_[KeyOf(mode, table[static_cast<std::size_t>(row)])] = {ended.number, ended.hints};
        store::KeepRowsOf(facts_, tables_);
        factsDirty_ = true;
        QueueWrite();
    }
    windows_.BestGamesChanged();
    return row;
}

void BestGamesBook::QueueWrite() {
    if (queued_ || !(writable_ || statsWritable_ || factsWritable_)) return;
    queued_ = true;
    services_.desktop->Later([this] {
        queued_ = false;
        Flush();
    });
}

void BestGamesBook::FlushStatistics() {
    if (uncounted_.empty() || !statsWritable_) return;
    try {
        // Another copy may have counted games of its own meanwhile: ours are added to what is on disk now.
        store::AddToStatisticsFile(services_.dataDir, uncounted_, stats_);
        uncounted_.clear();
        statsFailing_ = false;
    } catch (const std::exception& e) {
        if (!statsFailing_) windows_.ReportError(store::StatisticsPath(services_.dataDir) + ": " + store::Explain(e));
        statsFailing_ = true;
    }
}

const RowFacts* BestGamesBook::Facts(Mode mode, const BestGame& row) const {
    const auto at = facts_.find(KeyOf(mode, row));
    return at == facts_.end() ? nullptr : &at->second;
}

void BestGamesBook::FlushRowFacts() {
    if (!factsDirty_ || !factsWritable_) return;
    try {
        // After the table's own write: the rows kept are those of the table as merged with the other copies'.
        store::MergeIntoRowFactsFile(services_.dataDir, facts_, tables_);
        factsDirty_ = false;
        factsFailing_ = false;
    } catch (const std::exception& e) {
        if (!factsFailing_) windows_.ReportError(store::RowFactsPath(services_.dataDir) + ": " + store::Explain(e));
        factsFailing_ = true;
    }
}

void BestGamesBook::Flush() {
    FlushStatistics();
    FlushTable();
    FlushRowFacts();
    // What the other copies wrote meanwhile is shown.
    windows_.BestGamesChanged();
}

void BestGamesBook::FlushTable() {
    if (!dirty_ || !writable_) return;
    try {
        // Another copy of the game may have written games of its own meanwhile: they are kept, and shown.
        const BestTable& marked = tables_[static_cast<std::size_t>(markedMode_)];
        const std::optional<BestGame> markedGame =
            markedRow_ >= 0 && markedRow_ < static_cast<int>(marked.size()) ? std::optional(marked[static_cast<std::size_t>(markedRow_)]) : std::nullopt;
        store::MergeIntoBestGamesFile(services_.dataDir, tables_);
        dirty_ = false;
        failing_ = false;
        if (markedGame) {
            const auto at = std::find(marked.begin(), marked.end(), *markedGame);
            markedRow_ = at == marked.end() ? -1 : static_cast<int>(at - marked.begin());
        }
    } catch (const std::exception& e) {
        // Reported once; the next game end and the exit try again.
        if (!failing_) windows_.ReportError(store::BestGamesPath(services_.dataDir) + ": " + store::Explain(e));
        failing_ = true;
    }
}

} // namespace zv::app
