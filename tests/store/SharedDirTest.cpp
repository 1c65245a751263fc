// Two processes writing the best games and a record into one data directory at the same time.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "StoreTestUtil.h"
#include "store/BestGamesFile.h"
#include "store/Records.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

constexpr int kGames = 40;

// Runs body in a child process; its exit status is 0 when body returned.
pid_t Spawn(const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        try {
            body();
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    return pid;
}

// One copy of the game: it read the tables once at its start (empty then), finishes games and writes
// its whole table after each, and raises the line record as it goes.
void Copy(const std::string& dir, int parity) {
    BestTables tables;
    FileRecordWriter records(dir, [](const std::string&) { ::_exit(2); });
    for (int k = 0; k < kGames; ++k) {
        const int score = 2 * k + parity;
        EnterGame(tables[0], {score, {2026, 1, 1 + k % 28, 10, parity, 0}, k, false, parity ? "odd" : "even"});
        MergeIntoBestGamesFile(dir, tables);
        records.WriteRecordFile(Mode::Line, score);
    }
}

TEST(SharedDataDirectory, TwoCopiesKeepTheBestOfBothAndNeverLowerARecord) {
    test::TempDir dir;
    const pid_t a = Spawn([&] { Copy(dir.path(), 0); });
    const pid_t b = Spawn([&] { Copy(dir.path(), 1); });
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    for (pid_t p : {a, b}) {
        int status = -1;
        ASSERT_EQ(::waitpid(p, &status, 0), p);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    BestGamesLoad load = LoadBestGamesFile(dir.path(), {2026, 6, 1, 0, 0, 0});
    ASSERT_EQ(load.error, "");
    std::vector<int> scores;
    for (const BestGame& g : load.tables[0]) scores.push_back(g.score);
    std::vector<int> best;
    for (int s = 2 * kGames - 1; s >= 2 * kGames - 10; --s) best.push_back(s);
    EXPECT_EQ(scores, best);
    EXPECT_EQ(LoadRecordFile(dir.path(), Mode::Line).value, 2 * kGames - 1);

    // A copy started before all this, its record still 100, ends its game at 0 and exits.
    FileRecordWriter stale(dir.path(), [](const std::string& m) { ADD_FAILURE() << m; });
    stale.WriteRecordFile(Mode::Line, 0);
    EXPECT_EQ(LoadRecordFile(dir.path(), Mode::Line).value, 2 * kGames - 1);
    BestTables staleTables;
    EnterGame(staleTables[0], {5, {2026, 2, 1, 0, 0, 0}, 3, false, "late"});
    MergeIntoBestGamesFile(dir.path(), staleTables);
    EXPECT_EQ(staleTables, LoadBestGamesFile(dir.path(), {2026, 6, 1, 0, 0, 0}).tables);
    EXPECT_EQ(staleTables[0].size(), kBestGamesPerMode);
    EXPECT_EQ(staleTables[0].front().score, 2 * kGames - 1);
}

} // namespace
} // namespace zv::store
