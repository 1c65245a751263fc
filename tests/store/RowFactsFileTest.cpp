// The best games' companion file: the round trip, refusals, and the merge that keeps only
// the rows of the table while two copies write.
#include <gtest/gtest.h>

#include "kit/TempDir.h"
#include "store/BestGamesFile.h"
#include "store/RowFactsFile.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;

const BestGame kFirst{1234, {2026, 1, 2, 3, 4, 5}, 57, false, "Анна"};
const BestGame kSecond{-3, {2024, 2, 29, 0, 0, 0}, 0, true, "bob"};

RowFactsMap Sample() {
    return {{KeyOf(Mode::Line, kFirst), {4294967295u, 0}}, {KeyOf(Mode::Cross, kSecond), {20261207, 3}}};
}

TEST(RowFactsFile, RoundTripsInKeyOrderAndReadsCrLf) {
    const std::string text = FormatRowFacts(Sample());
    EXPECT_EQ(text, "Zorvex 2000 best games numbers 1\nline\t2026-01-02 03:04:05\t1234\t57\t4294967295\t0\n"
                    "blok\t2024-02-29 00:00:00\t-3\t0\t20261207\t3\n");
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& content : {text, crlf}) {
        RowFactsMap back;
        std::string problem;
        ASSERT_TRUE(ParseRowFacts(content, back, problem)) << problem;
        EXPECT_EQ(back, Sample());
    }
}

TEST(RowFactsFile, RefusesWhatTheGameNeverWrites) {
    const std::string head = std::string(kRowFactsHeader) + "\n";
    const std::string row = "line\t2026-01-02 03:04:05\t1234\t57\t1\t0\n";
    std::string tooMany = head;
    for (int i = 0; i <= static_cast<int>(kMaxRowFacts); ++i)
        tooMany += "line\t2026-01-02 03:04:05\t" + std::to_string(i) + "\t1\t1\t0\n";
    const struct {
        std::string content;
        const char* reason;
    } cases[] = {
        {"", "the file is empty"},
        {std::string(kMaxRowFactsFileSize + 1, 'x'), "larger than"},
        {"Zorvex 2000 best games 1\r\n", "line 1:"},
        {head + "line\t2026-01-02 03:04:05\t1234\t57\t1\n", "line 2: 6 fields"},
        {head + "Line\t2026-01-02 03:04:05\t1234\t57\t1\t0\n", "line 2: no such mode"},
        {head + "line\t2026-01-32 03:04:05\t1234\t57\t1\t0\n", "line 2: the date"},
        {head + "line\t2026-01-02 03:04:05\t01\t57\t1\t0\n", "line 2: the score"},
        {head + "line\t2026-01-02 03:04:05\t1234\t-1\t1\t0\n", "line 2: the number of moves"},
        {head + "line\t2026-01-02 03:04:05\t1234\t57\t4294967296\t0\n", "line 2: the game number"},
        {head + "line\t2026-01-02 03:04:05\t1234\t57\t1\t-2\n", "line 2: the hints"},
        {head + row + row, "line 3: a second line for the same row"},
        {tooMany, "line 52: more rows"},
    };
    for (const auto& c : cases) {
        RowFactsMap facts = Sample();
        std::string problem;
        EXPECT_FALSE(ParseRowFacts(c.content, facts, problem)) << c.content.substr(0, 80);
        EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
        EXPECT_EQ(facts, Sample()) << "a refused file changed what was read";
    }
}

// Two copies each add a row; the file keeps both, and a row pushed out of the table takes its facts with it.
TEST(RowFactsFile, TheMergeJoinsBothCopiesAndKeepsOnlyRowsOfTheTable) {
    TempDir dir;
    BestTables tables;
    tables[0] = {kFirst};
    RowFactsMap first = {{KeyOf(Mode::Line, kFirst), {7, 0}}};
    MergeIntoRowFactsFile(dir.path(), first, tables);
    tables[2] = {kSecond};
    RowFactsMap second = {{KeyOf(Mode::Cross, kSecond), {8, 1}}};
    MergeIntoRowFactsFile(dir.path(), second, tables);
    EXPECT_EQ(second.size(), 2u);
    EXPECT_EQ(LoadRowFacts(dir.path()).facts, second);
    tables[0].clear();
    MergeIntoRowFactsFile(dir.path(), first, tables);
    EXPECT_EQ(first, (RowFactsMap{{KeyOf(Mode::Cross, kSecond), {8, 1}}}));
    // The best-games file itself is none of this file's business: it stays as an older copy reads it.
    EXPECT_FALSE(FileExists(BestGamesPath(dir.path())));
}

} // namespace
} // namespace zv::store
