// The best games' companion file both ways, kept to the rows of the table and merged under its lock like the table.
#include "store/RowFactsFile.h"

#include <vector>

#include "game/Modes.h"
#include "store/BestGamesFile.h"
#include "store/FormatFile.h"
#include "store/Numbers.h"
#include "store/TextFile.h"

namespace zv::store {

std::string RowFactsPath(const std::string& dir) { return dir + "/" + kRowFactsFileName; }

std::string FormatRowFacts(const RowFactsMap& facts) {
    std::string out = std::string(kRowFactsHeader) + "\n";
    for (const auto& [key, f] : facts) {
        out += ModeWord(key.mode);
        out += "\t" + FormatDateTime(key.when) + "\t" + std::to_string(key.score) + "\t" + std::to_string(key.moves);
        out += "\t" + std::to_string(f.number) + "\t" + std::to_string(f.hints) + "\n";
    }
    return out;
}

bool ParseRowFacts(std::string_view content, RowFactsMap& facts, std::string& problem) {
    RowFactsMap read;
    const bool taken = ReadTabbedLines(content, kRowFactsHeader, kMaxRowFactsFileSize, 6, problem,
                                       [&](const std::vector<std::string_view>& f) -> std::string {
        RowKey key;
        RowFacts facts1;
        if (!ModeFromWord(std::string(f[0]), key.mode)) return "no such mode";
        if (!ParseDateTime(f[1], key.when)) return "the date is not a date (YYYY-MM-DD hh:mm:ss)";
        if (!ReadWhole(f[2], INT32_MIN, INT32_MAX, key.score)) return "the score is not a number";
        if (!ReadWhole(f[3], 0, kMaxMoves, key.moves)) return "the number of moves is not a number from 0";
        if (!ReadWhole(f[4], 0, UINT32_MAX, facts1.number)) return "the game number is not a whole number from 0 to 4294967295";
        if (!ReadWhole(f[5], 0, kMaxMoves, facts1.hints)) return "the hints are not a whole number from 0";
        if (read.size() == kMaxRowFacts) return "more rows than the best games have";
        if (!read.emplace(key, facts1).second) return "a second line for the same row";
        return "";
    });
    if (!taken) return false;
    facts = std::move(read);
    return true;
}

namespace {

// A broken file is put aside and the rows show no numbers; the table itself is not touched.
const LoadRules kRules{.tooLarge = LargerThan(kMaxRowFactsFileSize),
                       .without = "the game numbers of the best games are not kept this time",
                       .afresh = " and the best games show no game numbers",
                       .missingUnlessThere = true};

} // namespace

RowFactsLoad LoadRowFacts(const std::string& dir) {
    std::optional<RowFactsMap> facts;
    const FileLoad load = LoadFile(RowFactsPath(dir), kRules, facts, ParseRowFacts);
    return {facts.value_or(RowFactsMap{}), load.error, load.writable};
}

void KeepRowsOf(RowFactsMap& facts, const BestTables& tables) {
    RowFactsMap kept;
    for (int m = 0; m < kModeCount; ++m)
        for (const BestGame& g : tables[static_cast<std::size_t>(m)]) {
            const RowKey key = KeyOf(static_cast<Mode>(m), g);
            if (const auto at = facts.find(key); at != facts.end()) kept.insert(*at);
        }
    facts = std::move(kept);
}

void MergeIntoRowFactsFile(const std::string& dir, RowFactsMap& facts, const BestTables& tables) {
    MergeIntoFile(
        RowFactsPath(dir), facts,
        [](std::string_view content, RowFactsMap& read) {
            std::string problem;
            return ParseRowFacts(content, read, problem);
        },
        [&](RowFactsMap& merged) {
            for (const auto& [key, f] : facts) merged[key] = f;
            KeepRowsOf(merged, tables);
        },
        FormatRowFacts);
}

} // namespace zv::store
