// The best games' companion file both ways, kept to the rows of the table and merged under its lock like the table.
#include "store/RowFactsFile.h"

#include <vector>

#include "store/BestGamesFile.h"
#include "store/FormatFile.h"
#include "store/Numbers.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

std::string TooLarge() { return "the file is larger than " + std::to_string(kMaxRowFactsFileSize) + " bytes"; }

} // namespace

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
    int number = 0;
    auto fail = [&](const std::string& what) {
        problem = (number > 0 ? "line " + std::to_string(number) + ": " : std::string()) + what;
        return false;
    };
    if (content.size() > kMaxRowFactsFileSize) return fail(TooLarge());
    if (content.empty()) return fail("the file is empty");
    RowFactsMap read;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::string_view line = NextLine(content, pos);
        ++number;
        if (number == 1) {
            if (line != kRowFactsHeader) return fail(std::string("the first line is not \"") + kRowFactsHeader + "\"");
            continue;
        }
        const std::vector<std::string_view> f = TabFields(line);
        if (f.size() != 6) return fail("6 fields separated by tabs expected, " + std::to_string(f.size()) + " found");
        RowKey key;
        RowFacts facts1;
        if (!ModeFromWord(std::string(f[0]), key.mode)) return fail("no such mode");
        if (!ParseDateTime(f[1], key.when)) return fail("the date is not a date (YYYY-MM-DD hh:mm:ss)");
        if (!ReadWhole(f[2], INT32_MIN, INT32_MAX, key.score)) return fail("the score is not a number");
        if (!ReadWhole(f[3], 0, kMaxMoves, key.moves)) return fail("the number of moves is not a number from 0");
        if (!ReadWhole(f[4], 0, UINT32_MAX, facts1.number)) return fail("the game number is not a whole number from 0 to 4294967295");
        if (!ReadWhole(f[5], 0, kMaxMoves, facts1.hints)) return fail("the hints are not a whole number from 0");
        if (read.size() == kMaxRowFacts) return fail("more rows than the best games have");
        if (!read.emplace(key, facts1).second) return fail("a second line for the same row");
    }
    facts = std::move(read);
    return true;
}

RowFactsLoad LoadRowFacts(const std::string& dir) {
    std::optional<RowFactsMap> facts;
    const FileLoad load = LoadFile(RowFactsPath(dir),
                                   {.tooLarge = TooLarge(),
                                    .without = "the game numbers of the best games are not kept this time",
                                    .afresh = " and the best games show no game numbers",
                                    .missingUnlessThere = true},
                                   facts, ParseRowFacts);
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
