// Two processes writing the best games and a record into one data directory at the same time.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "kit/TempDir.h"
#include "store/BestGamesFile.h"
#include "store/Records.h"

namespace zv::store {
namespace {

// One copy of the game: it read the tables once at its start (empty then), and after each of its 40
// games writes its whole table and raises the line record. Scores: 2k + parity.
void Copy(const std::string& dir, int parity) {
    BestTables tables;
    FileRecordWriter records(dir, [](const std::string&) { ::_exit(2); });
    for (int k = 0; k < 40; ++k) {
        EnterGame(tables[0], {2 * k + parity, {2026, 1, 1 + k % 28, 10, parity, 0}, k, false, "p"});
        MergeIntoBestGamesFile(dir, tables);
        records.WriteRecordFile(Mode::Line, 2 * k + parity);
    }
    ::_exit(0);
}

TEST(SharedDataDirectory, TwoCopiesKeepTheBestOfBothAndNeverLowerARecord) {
    kit::TempDir dir;
    pid_t copies[2];
    for (int parity : {0, 1})
        if ((copies[parity] = ::fork()) == 0) Copy(dir.path(), parity);
    for (pid_t p : copies) {
        int status = -1;
        ASSERT_EQ(::waitpid(p, &status, 0), p);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    // A copy started before all this ends its game at 0 and exits.
    FileRecordWriter(dir.path(), nullptr).WriteRecordFile(Mode::Line, 0);
    BestTables stale;
    EnterGame(stale[0], {5, {2026, 2, 1, 0, 0, 0}, 3, false, "late"});
    MergeIntoBestGamesFile(dir.path(), stale);

    const BestGamesLoad load = LoadBestGamesFile(dir.path(), {});
    std::vector<int> scores;
    for (const BestGame& g : load.tables[0]) scores.push_back(g.score);
    EXPECT_EQ(scores, (std::vector<int>{79, 78, 77, 76, 75, 74, 73, 72, 71, 70}));
    EXPECT_EQ(LoadRecordFile(dir.path(), Mode::Line).value, 79);
}

} // namespace
} // namespace zv::store
