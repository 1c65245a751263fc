// What every format's file has in common, one table of formats a case: a broken file put aside (or left, where
// the format leaves it), a write that replaces the file whole or not at all, and the lock a shared file's write
// waits for.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include "kit/TempDir.h"
#include "store/BestGamesFile.h"
#include "store/KeptGameFile.h"
#include "store/MotionFile.h"
#include "store/Records.h"
#include "store/RowFactsFile.h"
#include "store/ScaleFile.h"
#include "store/Settings.h"
#include "store/SkinFile.h"
#include "store/StatisticsFile.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;
using Dir = const std::string&;

const DateTime kNow{2026, 5, 17, 14, 30, 5};
const std::string kJunk = "junk\n";

struct Loaded {
    const char* file;
    std::function<std::string(Dir dir)> load; // the error the start-up load reports
    const char* junk;                         // what is said of kJunk
    const char* large;                        // what is said of a file larger than the text-file layer reads
    const char* aside;                        // the end of the name it is put aside under; nullptr: left as it is
    const char* then;                         // the end of the message
};

const Loaded kLoaded[] = {
    {kBestGamesFileName, [](Dir d) { return LoadBestGamesFile(d, kNow).error; },
     "line 1: not a best-games file (the first line is not \"Zorvex 2000 best games 1\")", "larger than 16384 bytes",
     ".broken-20260517-143005", " and a new table is started"},
    {kStatisticsFileName, [](Dir d) { return LoadStatistics(d).error; },
     "line 1: the first line is not \"Zorvex 2000 statistics 1\"", "the file is larger than 4096 bytes", ".broken",
     " and the statistics start again"},
    {kRowFactsFileName, [](Dir d) { return LoadRowFacts(d).error; },
     "line 1: the first line is not \"Zorvex 2000 best games numbers 1\"", "the file is larger than 8192 bytes", ".broken",
     " and the best games show no game numbers"},
    {kKeptGameFileName, [](Dir d) { return LoadKeptGame(d).error; }, "line 1: the first line is not \"zorvex kept game\"",
     "the file is larger than 4096 bytes", ".broken", " and the game starts empty"},
    {kScaleFileName, [](Dir d) { return LoadScale(d).error; }, "the scale is not a number", "the file is too large", nullptr,
     "; the desktop's scale is used and the file is left until a scale is chosen"},
    {kMotionFileName, [](Dir d) { return LoadMotion(d).error; }, "the line is neither \"on\" nor \"off\"",
     "the file is too large", nullptr, ""},
    {"zorvex2000.rec", [](Dir d) { return LoadRecordFile(d, Mode::Line).error; },
     "Invalid variant type conversion (its last line \"junk\" is not a whole number from -2147483648 to 2147483647)",
     "File access denied (the file is larger than 65536 bytes, more than the game ever writes)", nullptr,
     "; the record counts as 100 this time and the file is left as it is"},
};

TEST(EveryFormat, ABrokenFileIsReportedOnceAndPutAsideOrLeftAsTheFormatSays) {
    for (const Loaded& f : kLoaded) {
        TempDir dir;
        const std::string path = dir / f.file;
        const std::string big(kMaxTextFileSize + 1, 'x');
        int round = 0;
        for (const auto& [content, says] : {std::pair{kJunk, f.junk}, std::pair{big, f.large}}) {
            PutFile(path, content);
            const std::string aside = f.aside ? path + f.aside + (round++ ? "-2" : "") : "";
            const std::string kept = f.aside ? "; it is kept as " + aside : "";
            EXPECT_EQ(f.load(dir.path()), path + ": " + says + kept + f.then);
            if (f.aside) {
                EXPECT_EQ(GetFile(aside), content) << aside;
                EXPECT_FALSE(FileExists(path)) << path;
                EXPECT_EQ(f.load(dir.path()), "") << "the next start finds no file: " << path;
            } else {
                EXPECT_EQ(GetFile(path), content) << path;
            }
        }
    }
}

KeptGame Game(int n) {
    KeptGame g;
    g.number = static_cast<std::uint32_t>(n);
    return g;
}

BestTables Tables(int n) {
    BestTables t;
    t[0] = {{10 + n, kNow, n, false, "p"}};
    return t;
}

struct Written {
    const char* file;
    std::function<void(Dir dir, int n)> write; // writes the n-th content, each unlike the others; throws on failure
    bool shared;                               // written by several copies: the write takes the file's lock
};

const Written kWritten[] = {
    {kSettingsFileName, [](Dir d, int n) { WriteSettingsFile(d + "/" + kSettingsFileName, FromCodes({"ad", "ns", std::to_string(n)})); }, false},
    {kSkinFileName, [](Dir d, int n) { WriteSkinFile(d + "/" + kSkinFileName, n); }, false},
    {kScaleFileName, [](Dir d, int n) { SaveScale(d, 4 + n); }, false},
    {kMotionFileName, [](Dir d, int n) { SaveMotion(d, n % 2 == 1); }, false},
    {kKeptGameFileName, [](Dir d, int n) { SaveKeptGame(d, Game(n)); }, false},
    {"zorvex2000.rec",
     [](Dir d, int n) {
         FileRecordWriter(d, [](const std::string& m) { throw InOutError(m); }).WriteRecordFile(Mode::Line, 100 + n);
     },
     true},
    {kBestGamesFileName, [](Dir d, int n) { BestTables t = Tables(n); MergeIntoBestGamesFile(d, t); }, true},
    {kStatisticsFileName,
     [](Dir d, int n) {
         Statistics s{};
         AddToStatisticsFile(d, {{Mode::Line, {n, 1, 0, DayNumber(2026, 1, 1)}}}, s);
     },
     true},
    {kRowFactsFileName,
     [](Dir d, int n) {
         const BestTables t = Tables(0);
         RowFactsMap facts{{KeyOf(Mode::Line, t[0][0]), {static_cast<std::uint32_t>(n), 0}}};
         MergeIntoRowFactsFile(d, facts, t);
     },
     true},
};

ino_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Until destroyed, no file can grow beyond nothing, not even root's: every write fails as a full disk does.
class NoRoomToWrite {
public:
    NoRoomToWrite() {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit none = old_;
        none.rlim_cur = 0;
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoRoomToWrite() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit old_{};
    void (*handler_)(int) = nullptr;
};

TEST(EveryFormat, AWriteReplacesTheFileWholeOrLeavesItAsItWas) {
    for (const Written& f : kWritten) {
        TempDir dir;
        const std::string path = dir / f.file;
        f.write(dir.path(), 1);
        const ino_t first = Inode(path);
        f.write(dir.path(), 2);
        // A new file renamed over the old one, never the old one written again in place.
        EXPECT_NE(Inode(path), first) << f.file;
        const std::string second = GetFile(path);
        std::string error;
        {
            NoRoomToWrite full;
            try {
                f.write(dir.path(), 3);
            } catch (const InOutError& e) {
                error = e.what();
            }
        }
        EXPECT_NE(error.find("Disk full"), std::string::npos) << f.file << ": " << error;
        EXPECT_EQ(GetFile(path), second) << f.file;
        for (const std::string& name : dir.Names())
            EXPECT_TRUE(name == f.file || name == "." + std::string(f.file) + ".lock") << f.file << " left " << name;
    }
}

TEST(EveryFormat, ASharedFileIsWrittenOnlyOnceItsLockIsFree) {
    for (const Written& f : kWritten) {
        if (!f.shared) continue;
        TempDir dir;
        const std::string path = dir / f.file;
        f.write(dir.path(), 1);
        const std::string before = GetFile(path);
        auto held = std::make_unique<FileLock>(path);
        ASSERT_TRUE(held->held());
        std::thread other([&] { f.write(dir.path(), 2); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(GetFile(path), before) << f.file << " was written under another's lock";
        held.reset();
        other.join();
        EXPECT_NE(GetFile(path), before) << f.file;
    }
}

} // namespace
} // namespace zv::store
