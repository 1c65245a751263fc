// The kept-game file both ways: a strict line-by-line reader, the writer, and putting a broken file aside.
#include "store/KeptGameFile.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <exception>

#include "game/Modes.h"
#include "store/TextFile.h"

namespace zv::store {

namespace {

constexpr const char* kHeader = "zorvex kept game";

std::string Hex16(std::uint64_t v) {
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return buf;
}

// A whole decimal number without sign or leading zero (bar "0"), or with a '-' when negative is allowed.
template <typename T>
bool Number(std::string_view text, T& out, bool negative) {
    if (text.empty() || text.size() > 11) return false;
    std::string_view digits = text;
    if (negative && digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0') || (digits.size() != text.size() && digits == "0"))
        return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

class Lines {
public:
    explicit Lines(std::string_view content) : content_(content) {}
    // The next line, false at the end of the content.
    bool Next(std::string_view& line) {
        if (pos_ >= content_.size()) return false;
        ++number_;
        line = NextLine(content_, pos_);
        return true;
    }
    int Number() const { return number_; }
    bool AtEnd() const { return pos_ >= content_.size(); }

private:
    std::string_view content_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

} // namespace

std::string KeptGamePath(const std::string& dir) { return dir + "/" + kKeptGameFileName; }

std::string FormatKeptGame(const KeptGame& g) {
    std::string out = std::string(kHeader) + "\n";
    out += "number " + std::to_string(g.number) + "\n";
    out += std::string("mode ") + ModeWord(g.mode) + "\n";
    out += "score " + std::to_string(g.score) + "\n";
    out += "moves " + std::to_string(g.moves) + "\n";
    out += std::string("advanced ") + (g.advanced ? "yes" : "no") + "\n";
    out += std::string("undo ") + (g.undo ? "yes" : "no") + "\n";
    // Only a game played with hints has the line: a file without it is the same as the game has always written.
    if (g.hints > 0) out += "hints " + std::to_string(g.hints) + "\n";
    out += "random " + Hex16(g.random) + "\n";
    out += "next";
    for (ColourCode c : g.next) out += " " + std::to_string(c);
    out += "\n";
    auto grid = [&](const char* title, auto cell) {
        out += std::string(title) + "\n";
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) out += cell(static_cast<std::size_t>(r * kCols + c));
            out += "\n";
        }
    };
    grid("board", [&](std::size_t i) { return static_cast<char>('0' + g.board.cells[i]); });
    grid("undo", [&](std::size_t i) { return static_cast<char>('0' + g.undoBoard.cells[i]); });
    grid("blocked", [&](std::size_t i) { return g.blocked[i] ? '#' : '.'; });
    return out;
}

bool ParseKeptGame(std::string_view content, KeptGame& game, std::string& problem) {
    Lines lines(content);
    std::string_view line;
    auto fail = [&](const std::string& what) {
        problem = (lines.Number() > 0 ? "line " + std::to_string(lines.Number()) + ": " : std::string()) + what;
        return false;
    };
    if (content.size() > kMaxKeptGameFileSize)
        return fail("the file is larger than " + std::to_string(kMaxKeptGameFileSize) + " bytes");
    if (content.find('\0') != std::string_view::npos) return fail("the file is not plain text (it holds NUL bytes)");
    if (!lines.Next(line)) return fail("the file is empty");
    if (line != kHeader) return fail(std::string("the first line is not \"") + kHeader + "\"");

    KeptGame g;
    // The value of the next line, which must be "<key> <value>".
    auto value = [&](const char* key, std::string_view& v) {
        if (!lines.Next(line)) return fail(std::string("the file ends before \"") + key + "\"");
        const std::string_view k(key);
        if (line.size() <= k.size() + 1 || !line.starts_with(k) || line[k.size()] != ' ')
            return fail(std::string("\"") + key + " ...\" expected");
        v = line.substr(k.size() + 1);
        return true;
    };
    auto yesNo = [&](const char* key, bool& out) {
        std::string_view v;
        if (!value(key, v)) return false;
        if (v != "yes" && v != "no") return fail(std::string("the ") + key + " flag is neither yes nor no");
        out = v == "yes";
        return true;
    };
    std::string_view v;
    if (!value("number", v)) return false;
    if (!Number(v, g.number, false)) return fail("the game number is not a whole number from 0 to 4294967295");
    if (!value("mode", v)) return false;
    if (!ModeFromWord(std::string(v), g.mode)) return fail("the mode is none of " + ModeWordList());
    if (!value("score", v)) return false;
    if (!Number(v, g.score, true)) return fail("the score is not a whole number");
    if (!value("moves", v)) return false;
    if (!Number(v, g.moves, false)) return fail("the move count is not a whole number from 0");
    if (!yesNo("advanced", g.advanced) || !yesNo("undo", g.undo)) return false;
    // The hint count, when there is one: a file from before hints, or of a game without any, has none.
    if (Lines ahead = lines; ahead.Next(line) && line.starts_with("hints")) {
        if (!value("hints", v)) return false;
        if (!Number(v, g.hints, false) || g.hints < 1) return fail("the hint count is not a whole number from 1");
    }
    if (!value("random", v)) return false;
    if (v.size() != 16) return fail("the generator's state is not 16 hexadecimal digits");
    for (char c : v)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return fail("the generator's state is not 16 hexadecimal digits");
    std::from_chars(v.data(), v.data() + v.size(), g.random, 16);
    if (!value("next", v)) return false;
    if (v.size() != 7 || v[1] != ' ' || v[3] != ' ' || v[5] != ' ') return fail("the preview is not four colours 1 to 6");
    for (std::size_t k = 0; k < 4; ++k) {
        const char c = v[k * 2];
        if (c < '1' || c > '6') return fail("the preview is not four colours 1 to 6");
        g.next[k] = c - '0';
    }
    auto grid = [&](const char* title, const char* allowed, auto put) {
        if (!lines.Next(line)) return fail(std::string("the file ends before \"") + title + "\"");
        if (line != title) return fail(std::string("\"") + title + "\" expected");
        for (int r = 0; r < kRows; ++r) {
            if (!lines.Next(line)) return fail(std::string("the file ends inside \"") + title + "\"");
            if (line.size() != static_cast<std::size_t>(kCols))
                return fail("a row of \"" + std::string(title) + "\" is not " + std::to_string(kCols) + " cells long");
            for (int c = 0; c < kCols; ++c) {
                if (std::string_view(allowed).find(line[static_cast<std::size_t>(c)]) == std::string_view::npos)
                    return fail(std::string("a cell of \"") + title + "\" is none of " + allowed);
                put(static_cast<std::size_t>(r * kCols + c), line[static_cast<std::size_t>(c)]);
            }
        }
        return true;
    };
    if (!grid("board", "0123456", [&](std::size_t i, char c) { g.board.cells[i] = c - '0'; })) return false;
    if (!grid("undo", "0123456", [&](std::size_t i, char c) { g.undoBoard.cells[i] = c - '0'; })) return false;
    if (!grid("blocked", ".#", [&](std::size_t i, char c) { g.blocked[i] = c == '#'; })) return false;
    if (!lines.AtEnd()) {
        lines.Next(line);
        return fail("more lines than a kept game has");
    }
    game = g;
    return true;
}

std::string PutKeptGameAside(const std::string& dir) {
    const std::string path = KeptGamePath(dir);
    if (const std::string aside = PutAside(path); !aside.empty()) return "; it is kept as " + aside;
    // Not put aside, it must not come back at every start: it goes.
    ::unlink(path.c_str());
    return "; it could not be kept aside and is removed";
}

KeptGameLoad LoadKeptGame(const std::string& dir) {
    const std::string path = KeptGamePath(dir);
    KeptGameLoad r;
    std::string problem;
    try {
        const std::string content = ReadTextFile(path);
        KeptGame g;
        if (ParseKeptGame(content, g, problem)) {
            r.game = g;
            return r;
        }
    } catch (const InOutError& e) {
        if (e.errnoValue() == ENOENT) return r;
        if (e.errnoValue() != EFBIG) {
            r.error = path + ": " + Explain(e) + "; the game starts empty";
            return r;
        }
        problem = "the file is larger than " + std::to_string(kMaxKeptGameFileSize) + " bytes";
    } catch (const std::exception& e) {
        problem = e.what();
    }
    r.error = path + ": " + problem + PutKeptGameAside(dir) + " and the game starts empty";
    return r;
}

void SaveKeptGame(const std::string& dir, const KeptGame& game) {
    WriteTextFileAtomic(KeptGamePath(dir), FormatKeptGame(game));
}

void ForgetKeptGame(const std::string& dir) {
    const std::string path = KeptGamePath(dir);
    if (path.find('\0') != std::string::npos) throw InOutError(kInvalidFilename, EINVAL);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) throw InOutError::FromErrno(errno);
}

} // namespace zv::store
