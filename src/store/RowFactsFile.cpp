// The best games' companion file both ways, kept to the rows of the table and merged under its lock like the table.
#include "store/RowFactsFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <vector>

#include "game/Modes.h"
#include "store/BestGamesFile.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

template <typename T>
bool Whole(std::string_view text, std::int64_t lo, std::int64_t hi, T& out) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 11 || (digits.size() > 1 && digits.front() == '0') ||
        (digits.size() != text.size() && digits == "0"))
        return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi) return false;
    out = static_cast<T>(v);
    return true;
}

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
    if (content.size() > kMaxRowFactsFileSize)
        return fail("the file is larger than " + std::to_string(kMaxRowFactsFileSize) + " bytes");
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
        if (!Whole(f[2], INT32_MIN, INT32_MAX, key.score)) return fail("the score is not a number");
        if (!Whole(f[3], 0, kMaxMoves, key.moves)) return fail("the number of moves is not a number from 0");
        if (!Whole(f[4], 0, UINT32_MAX, facts1.number)) return fail("the game number is not a whole number from 0 to 4294967295");
        if (!Whole(f[5], 0, kMaxMoves, facts1.hints)) return fail("the hints are not a whole number from 0");
        if (read.size() == kMaxRowFacts) return fail("more rows than the best games have");
        if (!read.emplace(key, facts1).second) return fail("a second line for the same row");
    }
    facts = std::move(read);
    return true;
}

RowFactsLoad LoadRowFacts(const std::string& dir) {
    const std::string path = RowFactsPath(dir);
    RowFactsLoad r;
    std::string problem;
    try {
        if (!FileExists(path)) return r;
        if (ParseRowFacts(ReadTextFile(path), r.facts, problem)) return r;
    } catch (const InOutError& e) {
        if (e.errnoValue() != EFBIG) {
            r.error = path + ": " + Explain(e) + "; the game numbers of the best games are not kept this time";
            r.writable = false;
            return r;
        }
        problem = "the file is larger than " + std::to_string(kMaxRowFactsFileSize) + " bytes";
    }
    r.facts.clear();
    r.error = path + ": " + problem;
    if (const std::string aside = PutAside(path); !aside.empty()) {
        r.error += "; it is kept as " + aside + " and the best games show no game numbers";
    } else {
        r.writable = false;
        r.error += "; it could not be kept aside, so the game numbers of the best games are not kept this time";
    }
    return r;
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
    const std::string path = RowFactsPath(dir);
    FileLock lock(path);
    RowFactsMap merged;
    try {
        std::string problem;
        if (FileExists(path) && !ParseRowFacts(ReadTextFile(path), merged, problem)) merged.clear();
    } catch (const InOutError&) {
        merged.clear();
    }
    for (const auto& [key, f] : facts) merged[key] = f;
    KeepRowsOf(merged, tables);
    WriteTextFileAtomic(path, FormatRowFacts(merged));
    facts = std::move(merged);
}

} // namespace zv::store
