// The best-games file: names made safe, the line format, the validating reader and the start-up load.
#include "store/BestGamesFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "game/Modes.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

constexpr char kSeparator = '\t';

// The length of the valid UTF-8 sequence at s[i], or 0 when there is none (overlong forms,
// surrogates and code points above U+10FFFF are not valid).
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) return 1;
    std::size_t n;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07;
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

bool Control(unsigned char c) { return c < 0x20 || c == 0x7F; }

// A whole number of digits with an optional '-', within [lo, hi].
bool ParseNumber(std::string_view text, std::int64_t lo, std::int64_t hi, std::int32_t& out) {
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return false;
    std::int64_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
    }
    if (negative) v = -v;
    if (v < lo || v > hi) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

bool Digits(std::string_view t, std::size_t at, std::size_t n, int& out) {
    out = 0;
    for (std::size_t k = at; k < at + n; ++k) {
        if (t[k] < '0' || t[k] > '9') return false;
        out = out * 10 + (t[k] - '0');
    }
    return true;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> f;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find(kSeparator, start);
        f.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return f;
        start = tab + 1;
    }
}

std::string Stamp(const DateTime& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", d.year, d.month, d.day, d.hour, d.minute, d.second);
    return buf;
}

char32_t CodePoint(std::string_view s, std::size_t i, std::size_t n) {
    char32_t cp = static_cast<unsigned char>(s[i]) & (n == 1 ? 0x7F : n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

// Spaces of other widths: a name of nothing else is no name.
bool WideSpace(char32_t c) {
    return c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000 ||
           c == 0x3164 || c == 0x2800 || c == 0x115F || c == 0x1160 || c == 0xFFA0;
}

// Characters that draw nothing of their own or turn the text around them: zero-width spaces and
// joiners, direction marks, embeddings, overrides and isolates, the soft hyphen, the byte-order mark.
bool Invisible(char32_t c) {
    return c == 0xAD || c == 0x34F || c == 0x61C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFE00 && c <= 0xFE0F);
}

} // namespace

std::string CleanPlayerName(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size();) {
        const std::size_t n = Utf8Length(raw, i);
        std::string_view piece = n ? raw.substr(i, n) : "\xEF\xBF\xBD";
        if (n) {
            const char32_t c = CodePoint(raw, i, n);
            if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || WideSpace(c)) piece = " ";
            else if (Invisible(c)) piece = "";
        }
        i += n ? n : 1;
        if (out.size() + piece.size() > kMaxPlayerNameBytes) break;
        out += piece;
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return "?";
    out.erase(0, first);
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

bool ValidPlayerName(std::string_view name) {
    if (name.empty() || name.size() > kMaxPlayerNameBytes || name.front() == ' ' || name.back() == ' ') return false;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = Utf8Length(name, i);
        if (n == 0 || (n == 1 && Control(static_cast<unsigned char>(name[i])))) return false;
        i += n;
    }
    return true;
}

std::string FormatDateTime(const DateTime& when) {
    // Whatever the clock said, the text is a date the reader takes: years before 0 and after 9999 are
    // the first and the last second of that range, any other field is brought into its range.
    DateTime d = when;
    if (d.year < 0) d = {0, 1, 1, 0, 0, 0};
    if (d.year > 9999) d = {9999, 12, 31, 23, 59, 59};
    d.month = std::clamp(d.month, 1, 12);
    d.day = std::clamp(d.day, 1, DaysInMonth(d.year, d.month));
    d.hour = std::clamp(d.hour, 0, 23);
    d.minute = std::clamp(d.minute, 0, 59);
    d.second = std::clamp(d.second, 0, 59);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute, d.second);
    return buf;
}

bool ParseDateTime(std::string_view t, DateTime& out) {
    if (t.size() != 19 || t[4] != '-' || t[7] != '-' || t[10] != ' ' || t[13] != ':' || t[16] != ':') return false;
    DateTime d;
    if (!Digits(t, 0, 4, d.year) || !Digits(t, 5, 2, d.month) || !Digits(t, 8, 2, d.day) || !Digits(t, 11, 2, d.hour) ||
        !Digits(t, 14, 2, d.minute) || !Digits(t, 17, 2, d.second))
        return false;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month) || d.hour > 23 ||
        d.minute > 59 || d.second > 59)
        return false;
    out = d;
    return true;
}

std::string FormatBestGames(const BestTables& tables) {
    std::string out = std::string(kBestGamesHeader) + "\r\n";
    for (int m = 0; m < kModeCount; ++m)
        for (const BestGame& g : tables[static_cast<std::size_t>(m)]) {
            out += ModeWord(static_cast<Mode>(m));
            out += kSeparator;
            out += std::to_string(g.score);
            out += kSeparator;
            out += FormatDateTime(g.when);
            out += kSeparator;
            out += std::to_string(std::clamp(g.moves, 0, kMaxMoves));
            out += kSeparator;
            out += g.advanced ? "ad" : "na";
            out += kSeparator;
            // A name that did not come through CleanPlayerName is made safe here, so the file always reads back.
            out += CleanPlayerName(g.player);
            out += "\r\n";
        }
    return out;
}

bool ParseBestGames(std::string_view content, BestTables& out, BestGamesProblem& problem) {
    auto fail = [&](int line, std::string what) {
        problem = {line, std::move(what)};
        return false;
    };
    if (content.size() > kMaxBestGamesFileSize)
        return fail(0, "larger than " + std::to_string(kMaxBestGamesFileSize) + " bytes");
    // Saved by an editor: a byte-order mark before the header, or lines ended by CR alone.
    if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    std::string crOnly;
    if (content.find('\n') == std::string_view::npos && content.find('\r') != std::string_view::npos) {
        crOnly.assign(content);
        std::replace(crOnly.begin(), crOnly.end(), '\r', '\n');
        content = crOnly;
    }
    if (content.empty()) return fail(0, "the file is empty");
    BestTables tables;
    std::size_t pos = 0;
    int number = 0;
    while (pos < content.size()) {
        const std::string_view line = NextLine(content, pos);
        ++number;
        if (number == 1) {
            if (line != kBestGamesHeader) return fail(1, "not a best-games file (the first line is not \"" +
                                                          std::string(kBestGamesHeader) + "\")");
            continue;
        }
        if (line.empty()) return fail(number, "an empty line");
        if (line.find('\r') != std::string_view::npos) return fail(number, "a carriage return inside the line");
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() != 6) return fail(number, "6 fields separated by tabs expected, " + std::to_string(f.size()) + " found");
        Mode mode{};
        if (!ModeFromWord(std::string(f[0]), mode)) return fail(number, "no such mode");
        BestGame g;
        if (!ParseNumber(f[1], INT32_MIN, INT32_MAX, g.score)) return fail(number, "the score is not a number");
        if (!ParseDateTime(f[2], g.when)) return fail(number, "the date is not a date (YYYY-MM-DD hh:mm:ss)");
        if (!ParseNumber(f[3], 0, kMaxMoves, g.moves)) return fail(number, "the number of moves is not a number");
        if (f[4] != "ad" && f[4] != "na") return fail(number, "the advanced mark is neither ad nor na");
        g.advanced = f[4] == "ad";
        if (!ValidPlayerName(f[5])) return fail(number, "the player's name is empty, too long or not clean UTF-8");
        // Names kept before the cleaning grew stricter read as they are cleaned now.
        g.player = CleanPlayerName(f[5]);
        BestTable& t = tables[static_cast<std::size_t>(mode)];
        if (t.size() == kBestGamesPerMode) return fail(number, "more than ten games of one mode");
        if (!t.empty() && RanksAbove(g, t.back())) return fail(number, "ranks above the game before it");
        t.push_back(std::move(g));
    }
    out = std::move(tables);
    return true;
}

std::string BestGamesPath(const std::string& dir) { return dir + "/" + kBestGamesFileName; }

BestGamesLoad LoadBestGamesFile(const std::string& dir, const DateTime& now) {
    const std::string path = BestGamesPath(dir);
    BestGamesLoad r;
    BestGamesProblem problem;
    try {
        if (!FileExists(path)) return r;
        const std::string content = ReadTextFile(path);
        if (ParseBestGames(content, r.tables, problem)) return r;
    } catch (const InOutError& e) {
        if (e.errnoValue() != EFBIG) {
            // Not readable, so not ours to judge: it stays and is not written over.
            r.error = path + ": " + Explain(e) + "; the best games are not kept this time";
            r.writable = false;
            return r;
        }
        problem = {0, "larger than " + std::to_string(kMaxBestGamesFileSize) + " bytes"};
    }
    r.tables = {};
    const std::string where = problem.line > 0 ? "line " + std::to_string(problem.line) + ": " : "";
    r.error = path + ": " + where + problem.what;
    // Kept aside under a name not yet taken, so nothing of it is lost.
    const std::string base = path + ".broken-" + Stamp(now);
    std::string aside = base;
    for (int n = 2; FileExists(aside) && n < 1000; ++n) aside = base + "-" + std::to_string(n);
    if (FileExists(aside)) {
        r.writable = false;
        r.error += "; it could not be kept aside (every name from " + base + " to " + aside +
                   " is taken), so the best games are not kept this time";
    } else if (std::rename(path.c_str(), aside.c_str()) == 0) {
        r.keptAs = aside;
        r.error += "; it is kept as " + aside + " and a new table is started";
    } else {
        r.writable = false;
        r.error += "; it could not be kept aside (" + Explain(InOutError::FromErrno(errno)) +
                   "), so the best games are not kept this time";
    }
    return r;
}

void WriteBestGamesFile(const std::string& dir, const BestTables& tables) {
    WriteTextFileAtomic(BestGamesPath(dir), FormatBestGames(tables));
}

void MergeBestGames(BestTables& into, const BestTables& from) {
    for (std::size_t m = 0; m < into.size(); ++m) {
        // Each row of into stands for one game of from at most: two games alike to the second both count.
        BestTable unmatched = into[m];
        for (const BestGame& g : from[m]) {
            const auto same = std::find(unmatched.begin(), unmatched.end(), g);
            if (same != unmatched.end()) unmatched.erase(same);
            else EnterGame(into[m], g);
        }
    }
}

void MergeIntoBestGamesFile(const std::string& dir, BestTables& tables) {
    const std::string path = BestGamesPath(dir);
    FileLock lock(path);
    BestTables merged;
    try {
        BestGamesProblem problem;
        if (FileExists(path) && !ParseBestGames(ReadTextFile(path), merged, problem)) merged = {};
    } catch (const InOutError&) {
        merged = {}; // nothing of it can be kept; the write below says whether the file can be replaced
    }
    MergeBestGames(merged, tables);
    WriteTextFileAtomic(path, FormatBestGames(merged));
    tables = std::move(merged);
}

} // namespace zv::store
