// The main window playing on while its data directory refuses writes: read-only, full, or over the file-size limit.
#include "kit/AppFixture.h"

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "store/Records.h"
#include "store/TextFile.h"

namespace zv::test {
namespace {

namespace fs = std::filesystem;

enum class Refusal { ReadOnly, Full, SizeLimit };

// Our own mount namespace, private all the way down, so the small file systems we mount are seen by nobody else.
bool EnterPrivateMountNamespace(std::string& why) {
    static int state = 0; // 0 not tried, 1 entered, -1 refused
    static std::string reason;
    if (state == 0) {
        if (unshare(CLONE_NEWNS) != 0)
            reason = std::string("unshare(CLONE_NEWNS): ") + std::strerror(errno);
        else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            reason = std::string("making / private: ") + std::strerror(errno);
        state = reason.empty() ? 1 : -1;
    }
    why = reason;
    return state == 1;
}

std::map<std::string, std::string> Snapshot(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        // The empty lock files that writers share hold nothing to lose.
        if (name.starts_with(".") && name.ends_with(".lock")) continue;
        files[name] = ReadFile(e.path().string());
    }
    return files;
}

int Balls(const GameState& s) {
    int n = 0;
    for (ColourCode v : s.Board.cells) n += v != 0;
    return n;
}

class RefusedWritesTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        if (HasFatalFailure()) return;
        fs::create_directories(services.dataDir);
        services.settingsPath = services.dataDir + "/config.cfg";
    }
    void TearDown() override {
        Allow();
        form1 = nullptr;
        form2 = nullptr;
        program.reset();
        if (mounted) umount2(services.dataDir.c_str(), MNT_DETACH);
        AppTest::TearDown();
    }

    // A 64 KiB tmpfs over the data directory; false with the reason when this process may not mount one.
    bool MountSmallFileSystem(std::string& why) {
        if (!EnterPrivateMountNamespace(why)) return false;
        if (mount("zv-faults", services.dataDir.c_str(), "tmpfs", 0, "size=64k,mode=0700") != 0) {
            why = std::string("mount -t tmpfs: ") + std::strerror(errno);
            return false;
        }
        mounted = true;
        return true;
    }

    void Refuse(Refusal r) {
        refusal = r;
        switch (r) {
        case Refusal::ReadOnly:
            ASSERT_EQ(mount(nullptr, services.dataDir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=64k"), 0)
                << std::strerror(errno);
            break;
        case Refusal::Full: {
            std::ofstream fill(services.dataDir + "/filler", std::ios::binary);
            const std::string block(4096, 'x');
            while (fill.write(block.data(), static_cast<std::streamsize>(block.size()))) {}
            break;
        }
        case Refusal::SizeLimit: {
            signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG instead of ending the process
            ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &savedLimit), 0);
            rlimit none = savedLimit;
            none.rlim_cur = 0;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
            break;
        }
        }
        refusing = true;
    }

    void Allow() {
        if (!refusing) return;
        refusing = false;
        switch (refusal) {
        case Refusal::ReadOnly:
            EXPECT_EQ(mount(nullptr, services.dataDir.c_str(), nullptr, MS_REMOUNT, "size=64k"), 0) << std::strerror(errno);
            break;
        case Refusal::Full: fs::remove(services.dataDir + "/filler"); break;
        case Refusal::SizeLimit: setrlimit(RLIMIT_FSIZE, &savedLimit); break;
        }
    }

    // Moves the ball at from to the empty cell to through the window's own cell clicks.
    void Move(CellPos from, CellPos to) {
        ClickCell(CellIndex(from.row, from.col));
        ClickCell(CellIndex(to.row, to.col));
    }

    // What a finished turn leaves on screen: every cell and preview picture is the state's.
    void ExpectBoardShown() {
        for (int i = 0; i < kCells; ++i)
            ASSERT_EQ(form1->im[static_cast<std::size_t>(i)]->ListIndex(),
                      ColourPicture(S().Board.cells[static_cast<std::size_t>(i)]))
                << "cell " << i + 1;
        for (int k = 0; k < 4; ++k)
            ASSERT_EQ(form1->next[static_cast<std::size_t>(k)]->ListIndex(),
                      ColourPicture(S().NextBalls[static_cast<std::size_t>(k)]))
                << "preview " << k + 1;
        EXPECT_EQ(form1->Label1->Caption(), std::to_string(S().Score));
    }

    void PlayOn(Refusal r, const std::string& message) {
        WriteFile(DataFile("zorvex2000.rec"), "7\r\n");
        WriteFile(DataFile("win.sys"), "3");
        // The settings as another writer leaves them (a bare line end): the game's own form differs, so its
        // write at exit really goes to the disk (a file that already holds what it would write is left alone).
        WriteFile(services.settingsPath, "nanssy\n");
        Start();
        ASSERT_TRUE(boxes.shown.empty());
        ClickCentre(form1->Window(), *form1->Gstart);
        ASSERT_EQ(S().BestScore, 7);
        const auto before = Snapshot(services.dataDir);
        Refuse(r);
        if (HasFatalFailure()) return;

        // Four in a row and a fifth to complete it; a lone ball elsewhere for a move that scores nothing.
        S().Board.clear();
        for (int c = 1; c <= 4; ++c) S().Board.at(1, c) = 1;
        S().Board.at(3, 5) = 1;
        S().Board.at(8, 8) = 2;
        S().Score = 5;
        form1->Engine().RedrawBoard();

        // The move that beats the record: the write fails, the player is told once, the turn is whole.
        Move({3, 5}, {1, 5});
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].kind, kit::FakeMessageBoxes::Kind::Error);
        EXPECT_EQ(boxes.shown[0].title, "Zorvex 2000");
        EXPECT_EQ(boxes.shown[0].text, DataFile("zorvex2000.rec") + ": " + message);
        EXPECT_GT(S().Score, 7);
        EXPECT_EQ(S().BestScore, S().Score);
        EXPECT_EQ(form1->label2->Caption(), std::to_string(S().Score));
        EXPECT_EQ(Balls(S()), 1);
        ExpectBoardShown();

        // A move that scores nothing: the record is written again and fails again, silently this time,
        // and the turn still drops the preview, deals a new one and redraws.
        form1->Window().Render();
        const Tally t0 = form1->Engine().Totals();
        const int balls0 = Balls(S());
        Move({8, 8}, {8, 9});
        const Tally& t1 = form1->Engine().Totals();
        EXPECT_EQ(t1.turns - t0.turns, 1);
        EXPECT_EQ(t1.ballsDropped - t0.ballsDropped, 4);
        EXPECT_EQ(Balls(S()), balls0 + 4 - (t1.ballsRemoved - t0.ballsRemoved));
        EXPECT_EQ(S().PlayState, kPlayIdle);
        EXPECT_EQ(boxes.shown.size(), 1u);
        ExpectBoardShown();
        const SDL_Rect painted = form1->Window().Render();
        EXPECT_GT(painted.w * painted.h, 0) << "the turn left nothing to repaint";

        // Closing the game: the settings file cannot be written either, which is said with its name.
        // So can the running game, which the player is told will not come back.
        program->Exit();
        ASSERT_EQ(boxes.shown.size(), 3u);
        EXPECT_EQ(boxes.shown[1].text, services.settingsPath + ": " + message);
        EXPECT_EQ(boxes.shown[2].text, DataFile("game.kept") + ": " + message + "; the running game is not kept");

        // Nothing on disk changed, and no temporary file was left behind.
        Allow();
        EXPECT_EQ(Snapshot(services.dataDir), before);

        // Writable again: the next turn writes the record.
        const int pos = [&] {
            for (int i = 1; i <= kCells; ++i)
                if (S().Board.cells[static_cast<std::size_t>(i - 1)] != 0) return i;
            return 0;
        }();
        ASSERT_NE(pos, 0);
        int empty = 0;
        for (int i = 1; i <= kCells && !empty; ++i)
            if (S().Board.cells[static_cast<std::size_t>(i - 1)] == 0 && !form1->IsBlocked(i)) empty = i;
        ClickCell(pos);
        ClickCell(empty);
        EXPECT_EQ(ReadFile(DataFile("zorvex2000.rec")), store::FormatRecord(S().BestScore));
        EXPECT_EQ(boxes.shown.size(), 3u);
    }

    bool mounted = false;
    bool refusing = false;
    Refusal refusal = Refusal::Full;
    rlimit savedLimit{};
};

TEST_F(RefusedWritesTest, ReadOnlyDataDirectory) {
    std::string why;
    if (!MountSmallFileSystem(why)) GTEST_SKIP() << "cannot mount a small file system here (" << why << ")";
    PlayOn(Refusal::ReadOnly, std::string(store::kFileAccessDenied) + " (a read-only file system)");
}

TEST_F(RefusedWritesTest, FullFileSystem) {
    std::string why;
    if (!MountSmallFileSystem(why)) GTEST_SKIP() << "cannot mount a small file system here (" << why << ")";
    PlayOn(Refusal::Full, store::kDiskFull);
}

// Needs no privilege, so the disk-full path is proven even where mounting is not allowed.
TEST_F(RefusedWritesTest, FileSizeLimitCountsAsDiskFull) { PlayOn(Refusal::SizeLimit, store::kDiskFull); }

} // namespace
} // namespace zv::test
